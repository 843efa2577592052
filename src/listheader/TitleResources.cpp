#include "listheader/TitleResources.h"

#include "platform/base/SysUtils.h"

#include <memory>
#include <utility>
#include <vector>

namespace {

struct TTitleResource {
    std::string name;
    std::unique_ptr<std::string> text;  // stays put while the table grows
};

std::vector<TTitleResource>& Resources() {
    static std::vector<TTitleResource> resources;
    return resources;
}

}  // namespace

const std::string* FindTitleResource(std::string_view name) {
    for (const TTitleResource& resource : Resources())
        if (AnsiSameText(resource.name, name)) return resource.text.get();
    return nullptr;
}

void RegisterTitleResource(std::string_view name, std::string text) {
    for (TTitleResource& resource : Resources()) {
        if (AnsiSameText(resource.name, name)) {
            *resource.text = std::move(text);
            return;
        }
    }
    Resources().push_back({std::string(name), std::make_unique<std::string>(std::move(text))});
}
