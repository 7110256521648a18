#include "foundation/embedded_resources.h"

std::optional<std::string_view> FindEmbeddedResource(std::string_view name) {
  for (const TEmbeddedResource& resource : EmbeddedResources()) {
    if (resource.data != nullptr && name == resource.name) {
      return std::string_view(reinterpret_cast<const char*>(resource.data), resource.size);
    }
  }
  return std::nullopt;
}
