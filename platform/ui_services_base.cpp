#include "platform/ui_services_base.h"

#include <algorithm>

namespace gestalia {

int CUiServicesBase::MessageBox(std::string_view text, std::string_view caption, MbButtons buttons,
                                MbIcon icon, MbDefault defaultButton) {
    CMessageBoxSpec box{text,
                        caption,
                        buttons,
                        icon,
                        defaultButton,
                        MessageChoices(buttons),
                        DefaultAnswer(buttons, defaultButton),
                        EscapeAnswer(buttons)};
    const std::optional<int> pressed = ShowMessageBox(box);
    const bool bOffered =
        pressed && std::any_of(box.choices.begin(), box.choices.end(),
                               [&](const CChoice& choice) { return choice.nAnswer == *pressed; });
    return bOffered ? *pressed : box.nEscape;
}

bool CUiServicesBase::OpenUrl(std::string_view url) {
    const std::optional<COpenTarget> target = OpenTargetOf(url, CacheFolder());
    return target && OpenTarget(*target);
}

}  // namespace gestalia
