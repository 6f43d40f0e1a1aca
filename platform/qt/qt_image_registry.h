#pragma once
// CQtImageRegistry: resolves the handle of a CImageList to the strip of images
// it stands for (the images side by side, each CImageList::ImageSize() wide,
// transparent where the pixmap's mask says so). Strips registered explicitly
// come first; any other handle goes to the loader given at construction (the
// program's loader reads the bitmap resource of that id), and what it gives is
// kept for the next paint.

#include <QPixmap>
#include <functional>
#include <map>

namespace gestalia {

class CQtImageRegistry {
  public:
    using Loader = std::function<QPixmap(int handle)>;

    explicit CQtImageRegistry(Loader loader = {}) : m_loader(std::move(loader)) {}

    void Register(int handle, QPixmap strip) { m_strips[handle] = std::move(strip); }
    // The strip of the handle; nullptr when none is registered or loadable.
    const QPixmap* Find(int handle) const;

  private:
    Loader m_loader;
    mutable std::map<int, QPixmap> m_strips;  // a cache of what the loader gave
};

}  // namespace gestalia
