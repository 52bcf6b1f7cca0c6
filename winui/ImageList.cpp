#include "winui/ImageList.h"

#include <utility>

namespace winui {

ImageList ImageList::FromBitmap(HINSTANCE instance, int bitmapId, int imageWidth, int grow, COLORREF mask) {
    return ImageList(
        ImageList_LoadImageA(instance, MAKEINTRESOURCEA(bitmapId), imageWidth, grow, mask, IMAGE_BITMAP, 0));
}

ImageList::ImageList(ImageList&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}

ImageList& ImageList::operator=(ImageList&& other) noexcept {
    if (this != &other) {
        Destroy();
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

int ImageList::AddIcon(HICON icon) { return handle_ != nullptr ? ImageList_ReplaceIcon(handle_, -1, icon) : -1; }

bool ImageList::Remove(int index) { return handle_ != nullptr && ImageList_Remove(handle_, index); }

int ImageList::Count() const { return handle_ != nullptr ? ImageList_GetImageCount(handle_) : 0; }

void ImageList::Destroy() {
    if (handle_ != nullptr) ImageList_Destroy(std::exchange(handle_, nullptr));
}

}  // namespace winui
