#pragma once
// The owner of an image list: destroyed with the object. A list view given it
// with ListView::SetImageList shares it and leaves it alone; the ImageList must
// outlive the list's use of it (replace the list's image list before
// destroying the one it holds). Move-only.

#include <windows.h>

#include <commctrl.h>

namespace winui {

class ImageList {
public:
    ImageList() = default;
    // The images of a bitmap resource, imageWidth pixels wide each; pixels of the
    // mask colour are transparent; the list grows by grow images at a time.
    // Empty (no handle) when the resource does not load.
    static ImageList FromBitmap(HINSTANCE instance, int bitmapId, int imageWidth, int grow, COLORREF mask);

    ~ImageList() { Destroy(); }
    ImageList(ImageList&& other) noexcept;
    ImageList& operator=(ImageList&& other) noexcept;
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    // Appends a copy of the icon (the caller still owns its own); its index, or -1.
    int AddIcon(HICON icon);
    // Removes one image (the later ones move down); -1 removes all.
    bool Remove(int index);
    int Count() const;
    void Destroy();

    HIMAGELIST Handle() const { return handle_; }

private:
    explicit ImageList(HIMAGELIST handle) : handle_(handle) {}
    HIMAGELIST handle_ = nullptr;
};

}  // namespace winui
