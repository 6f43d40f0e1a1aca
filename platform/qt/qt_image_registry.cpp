#include "platform/qt/qt_image_registry.h"

namespace gestalia {

const QPixmap* CQtImageRegistry::Find(int handle) const {
    auto it = m_strips.find(handle);
    if (it == m_strips.end()) {
        if (!m_loader) {
            return nullptr;
        }
        it = m_strips.emplace(handle, m_loader(handle)).first;
    }
    return it->second.isNull() ? nullptr : &it->second;
}

}  // namespace gestalia
