#include "resources/dialog_templates.h"

namespace gestalia {

std::string_view LoadResourceString(int id) {
    switch (id) {
        case IDS_ABOUTBOX:
            return "&About Gestalia...";
        default:
            return {};
    }
}

}  // namespace gestalia
