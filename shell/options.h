// The option settings of the workbench and the snapshot that the computations
// take of them.
//
// The simplification, recognition and series engines are steered by 26 integer
// settings, kept in the profile section "Options" under the keys below. They are
// one value, `TOptionValues`, owned by the application (the desktop program or
// the command-line run) and passed explicitly to whoever reads or changes them;
// a computation on the worker thread takes a copy when it starts, so the user
// may change a setting meanwhile without touching what the running engine reads.
//
// `TOptions` is the smaller snapshot that the recognition driver and the worker
// use to apply a preset per computation type and to put the values back
// afterwards. Applying a snapshot writes back only the settings the presets
// steer; the cell-reduction, collapsing, surgery, move-list and duplicate-control
// settings are never written back.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The longest time limit a setting or a value dialog accepts, in seconds (365
// days). Time limits are held in 64-bit milliseconds, so this bound keeps
// every deadline the engines compute (start tick + limit) far from overflow.
inline constexpr std::int64_t kMaxTimeLimitSeconds = 365LL * 24 * 60 * 60;

// Every setting, named by its profile key. The defaults are the values in force
// at the first start (the built-in values with the preset of computation type
// 1 applied). Time limits are milliseconds; 0 means unlimited.
struct TOptionValues {
  std::int32_t MakeCellReductionsAutomatically = 1;
  std::int32_t MakeCollapsingsAutomatically = 1;
  std::int32_t DisableSurgeries = 0;
  std::int32_t OptionsOutputMoveList = 0;
  std::int32_t OptionsAlwaysCreateCoordinatesOnBoundaryTori = 0;
  std::int32_t OptionsTryToSimplifySpineBeforeRecognizing = 0;
  std::int32_t ReportType = 2;        // 1 result only, 2 short, 3 intermediate, 4 long
  std::int32_t SeriesReportType = 1;  // 1 minimal, 2 cut only, 3 use the non-series setting
  std::int32_t AllVariantsUseOnlyFirstPossibilities = 0;
  std::int32_t AllVariantsEnableComplicatingMoves = 0;
  std::int32_t AllVariantsMaximalMode = 0;
  std::int32_t AllVariantsStepToMakeAll = 2;
  std::int64_t MaxAllVariantsTime = 0;  // ms; the profile holds seconds
  std::int32_t EnumerationOfManifoldsOutputSourceSpineList = 1;
  std::int32_t EnumerationOfManifoldsIgnoreReducible = 0;
  std::int32_t EnumerationOfManifoldsIgnoreCoordinatesOnTheBoundary = 1;
  std::int32_t EnumerationOfManifoldsIgnoreNumberOfAddedThreeBalls = 0;
  std::int32_t EnumerationOfManifoldsSearchForSurfaces = 0;
  // 1 till first presentation, 2 till main presentation, 3 full looking over,
  // 4 simplify only, 5 compare only.
  std::int32_t EnumerationOfManifoldsRecognitionMode = 2;
  // 1 none, 2 homology and Turaev-Viro invariants, 3 homology and epsilon
  // invariants, 4 Turaev-Viro invariants only.
  std::int32_t EnumerationOfManifoldsDuplicateControl = 1;
  std::int32_t EnumerationOfManifoldsDuplicateControlTuraevViroExtended = 0;
  std::int32_t EnumerationOfManifoldsDuplicateControlKeepFullInformation = 1;
  std::int32_t EnumerationOfManifoldsDuplicateControlMaxOrder = 16;
  std::int64_t EnumerationOfManifoldsDuplicateControlTimeLimit = 3600000;  // ms, stored as held
  // Stored form of the boundary restriction; see BoundaryRestrictionOfSetting.
  std::int32_t EnumerationOfManifoldsRestrictionOnBoundary = 1;
  std::int32_t EnumerationOfManifoldsOutputMode = 1;  // 1 all presentations, 2 main only
  // Presentations the group-presentation search visits at most (0: no bound).
  std::int64_t GroupPresentationSearchLimit = 1000000;
  // Plate-count vectors the normal-surface search visits at most (0: until
  // stopped).
  std::int64_t NormalSurfacesSearchLimit = 1000000;

  bool operator==(const TOptionValues&) const = default;
};

// In which menu modes (0 full, 1 standard, 2 reduced command set) a key is read
// from and written to the profile.
enum class TOptionModes : std::uint8_t { FullOnly, FullAndStandard, All };

// One key of the profile section "Options". Exactly one of the two member
// pointers is set. `profileFactor` converts the profile's unit into the held
// one (1000 for `MaxAllVariantsTime`, held in ms and stored in seconds; else 1).
// The accepted range is given in the profile's unit.
struct TOptionKey {
  std::string_view name;
  std::int32_t TOptionValues::*value32;
  std::int64_t TOptionValues::*value64;
  TOptionModes modes;
  std::int64_t profileFactor;
  std::int64_t minimum;
  std::int64_t maximum;
};

// The 28 keys in profile order (the order in which they are read and written).
std::span<const TOptionKey> OptionKeys();

// The key of this exact (case-sensitive) name, or null.
const TOptionKey* FindOptionKey(std::string_view name);

// The held value of a key (milliseconds for the time limits).
std::int64_t OptionValue(const TOptionValues& values, const TOptionKey& key);

// The value of a key in the profile's unit (held value divided by the factor,
// truncated toward zero).
std::int64_t OptionProfileValue(const TOptionValues& values, const TOptionKey& key);

// Sets a key from a value in the profile's unit. Returns false and leaves the
// values unchanged when the value lies outside the key's range.
bool SetOptionProfileValue(TOptionValues& values, const TOptionKey& key, std::int64_t value);

// The integer of a profile value or an override: decimal digits with an
// optional sign, blanks around them allowed; nothing when the text is not such
// an integer or does not fit in 64 bits.
std::optional<std::int64_t> ParseOptionInteger(std::string_view text);
// The same; *tooLarge is set to whether the text is such an integer that only
// fails to fit in 64 bits.
std::optional<std::int64_t> ParseOptionInteger(std::string_view text, bool* tooLarge);

// Sets a key from the text of a profile value or a command-line override
// (a decimal integer, blanks around it allowed). Returns nothing on success,
// else the message (unknown key, not an integer, too large, out of range; the
// key and the value quoted short and escaped); on failure the values are
// unchanged.
std::optional<std::string> SetOptionFromText(TOptionValues& values, std::string_view key,
                                             std::string_view text);

// Whether the key is read and written in this menu mode: the full set (0) keeps
// every key, the standard set (1) all but the two automatic-move keys, the
// reduced set (any other mode) only the keys marked for all modes.
bool OptionKeyStoredInMenuMode(const TOptionKey& key, int menuMode);

// The boundary restriction that the stored setting
// `EnumerationOfManifoldsRestrictionOnBoundary` stands for: -2 no restriction
// (setting 1), -1 at least one torus (2), 0 spheres only (3), n >= 1 exactly n
// tori (n + 3).
std::int32_t BoundaryRestrictionOfSetting(std::int32_t setting);

// The inverse: a restriction below -1 gives the setting 1, any other r gives r + 3.
// The result saturates at the 32-bit bounds.
std::int32_t SettingOfBoundaryRestriction(std::int32_t restriction);

// The snapshot of the settings that the presets steer, with the computation
// type (1..10) it was made for.
struct TOptions {
  std::uint32_t computationType = 0;
  std::int32_t makeCellReductions = 0;
  std::int32_t makeCollapsings = 0;
  std::int32_t disableSurgeries = 0;
  std::int32_t outputMoveList = 0;
  std::int32_t tryToSimplify = 0;
  std::int32_t reportType = 0;
  std::int32_t seriesReportType = 0;
  std::int32_t onlyFirstPossibilities = 0;
  std::int32_t complicatingMoves = 0;
  std::int32_t maximalMode = 0;
  std::int32_t step = 0;
  std::int32_t sourceSpineList = 0;
  std::int32_t ignoreReducible = 0;
  std::int32_t ignoreCoordinates = 0;
  std::int32_t ignoreAddedThreeBalls = 0;
  std::int32_t searchForSurfaces = 0;
  std::int32_t recognitionMode = 0;
  std::int32_t duplicateControl = 0;

  // Copies the current values of all the settings of the snapshot.
  void Capture(const TOptionValues& values);

  // The snapshot of the current values with the preset of a computation type:
  // types 1 to 9 override as their table says, type 10 keeps the captured
  // values, any other type gets only the overrides common to types 1 to 9.
  static TOptions Preset(std::uint32_t type, const TOptionValues& values);

  // Writes the snapshot back: the try-to-simplify, report, series-report,
  // first-possibilities, complicating-moves and step settings always, the
  // maximal mode only for types 6 and 10, and the series settings (source list,
  // ignore reducible, ignore coordinates, ignore 3-balls, surfaces, recognition
  // mode) for every type but 7 and 8.
  void Apply(TOptionValues& values) const;

  bool operator==(const TOptions&) const = default;
};
