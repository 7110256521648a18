// The printers of recognition results: the answer for one manifold (its
// summands by name, geometry and homology) and the answer of a Recognize
// command (the entry found with every presentation of it).
#pragma once

#include <string>

#include "foundation/output.h"
#include "recognition/manifold_description.h"
#include "recognition/recognition_driver.h"
#include "recognition/result_table.h"

// The answer for one manifold. reportType 1 or less writes the "Manifold
// is" heading; the homology text (may be empty) ends a prime manifold's
// summary line. With ignoreAddedBalls (the setting
// EnumerationOfManifoldsIgnoreNumberOfAddedThreeBalls) the summary line
// leaves out the balls cut off ("#2D^3"). A surfaces text (may be empty;
// see EntrySurfacesText) ends the summary line after a tab.
void PrintAssemblyResult(TOutput& output, const TManifoldDescription& description, int reportType,
                         const std::string& homology, bool ignoreAddedBalls = false,
                         const std::string& surfaces = {});

// The answer of a Recognize command: the entry's presentations (the first
// is the best), then the counts of the search. ignoreAddedBalls as above.
void PrintRecognitionResult(TOutput& output, const TManifoldTable& table, const TRecognitionOutcome& outcome,
                            const std::string& homology, bool ignoreAddedBalls = false);
