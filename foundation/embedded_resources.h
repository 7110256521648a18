// Resources compiled into the library at build time: every text file under
// resources/ (the string table, the example documents, the internal tables).
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

struct TEmbeddedResource {
  const char* name;            // path below resources/, e.g. "strings/foundation.txt"
  const unsigned char* data;   // followed by a NUL byte
  std::size_t size;            // bytes, without that NUL
};

// Every embedded resource, in build order. Defined by the generated source.
std::span<const TEmbeddedResource> EmbeddedResources();

// The contents of one resource by its name, or nothing when there is none.
std::optional<std::string_view> FindEmbeddedResource(std::string_view name);
