#pragma once
// Pictures of every format Windows takes as a wallpaper (JPEG, PNG, GIF, TIFF, BMP), decoded by the Windows
// Imaging Component and recognised by content, so a file without an extension such as "TranscodedWallpaper"
// loads too. Each is decoded at the size it is shown: WIC's scaler works on the decoder's output, never GDI
// on a full-size copy.

#include <windows.h>

#include <wincodec.h>

#include <string>

#include "platform/win32/com.h"
#include "platform/win32/scoped_handle.h"

namespace koruvan::win32 {

// Made on the user-interface thread, which it keeps in a COM apartment while it lives.
class PictureLoader {
  public:
    PictureLoader() = default;
    PictureLoader(const PictureLoader&) = delete;
    PictureLoader& operator=(const PictureLoader&) = delete;

    // The file's picture as a 32-bit top-down bitmap of exactly width x height; empty when the file is
    // missing or holds no picture. The file is open only during the call.
    Bitmap load(const std::string& path, int width, int height);
    // A bitmap of the program's own, scaled likewise; empty when it cannot be.
    Bitmap scale(HBITMAP source, int width, int height);
    // Whether the file holds a picture that a decoder takes.
    bool isPicture(const std::string& path);

  private:
    IWICImagingFactory* factory();
    bool openFirstFrame(const std::string& path, ComRef<IWICBitmapDecoder>& decoder,
                        ComRef<IWICBitmapFrameDecode>& frame);
    Bitmap scaled(IWICBitmapSource* source, int width, int height);

    // Declared in this order so that the factory goes before the apartment.
    ComApartment com_;
    ComRef<IWICImagingFactory> factory_;
};

}  // namespace koruvan::win32
