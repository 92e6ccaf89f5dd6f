#include "bar/win32/wallpaper_thumbnails.h"

#include "platform/win32/wide_text.h"

namespace koruvan::win32 {
namespace {

// The frame at width x height as 32-bit BGRA (premultiplied: a transparent part shows black), written to
// pixels. The scaler comes straight after the decoder so that WIC lets a decoder that can scale do so while
// it decodes (Windows' JPEG decoder reduces by 2, 4 or 8 at once) instead of decoding a photograph at full
// size.
bool copyScaled(IWICImagingFactory& factory, IWICBitmapSource* frame, UINT width, UINT height,
                bool scaleFirst, BYTE* pixels) {
    ComRef<IWICBitmapScaler> scaler;
    ComRef<IWICFormatConverter> converter;
    if (FAILED(factory.CreateBitmapScaler(scaler.put())) ||
        FAILED(factory.CreateFormatConverter(converter.put()))) {
        return false;
    }
    const auto convert = [&](IWICBitmapSource* source) {
        return converter->Initialize(source, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr,
                                     0, WICBitmapPaletteTypeCustom);
    };
    const auto scale = [&](IWICBitmapSource* source) {
        return scaler->Initialize(source, width, height, WICBitmapInterpolationModeFant);
    };
    IWICBitmapSource* last = nullptr;
    HRESULT result = E_FAIL;
    if (scaleFirst) {
        result = scale(frame);
        if (SUCCEEDED(result)) result = convert(scaler.get());
        last = converter.get();
    } else {
        result = convert(frame);
        if (SUCCEEDED(result)) result = scale(converter.get());
        last = scaler.get();
    }
    return SUCCEEDED(result) && SUCCEEDED(last->CopyPixels(nullptr, width * 4, width * height * 4, pixels));
}

}  // namespace

HBITMAP WallpaperThumbnails::get(const std::string& path, int width, int height) {
    const Bitmap* picture = cache_.get(path, width, height);
    return picture ? picture->get() : nullptr;
}

std::optional<FileStamp> WallpaperThumbnails::stamp(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (!GetFileAttributesExW(widen(path).c_str(), GetFileExInfoStandard, &attributes)) return std::nullopt;
    const auto join = [](DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; };
    return FileStamp{
        join(attributes.nFileSizeHigh, attributes.nFileSizeLow),
        join(attributes.ftLastWriteTime.dwHighDateTime, attributes.ftLastWriteTime.dwLowDateTime)};
}

std::optional<Bitmap> WallpaperThumbnails::decode(const std::string& path, int width, int height) {
    if (!com_.usable()) return std::nullopt;
    if (!factory_ && FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                             IID_IWICImagingFactory, factory_.receive()))) {
        return std::nullopt;
    }
    // The decoder is chosen by the file's content, whatever its name. It holds the file open only while it
    // lives.
    ComRef<IWICBitmapDecoder> decoder;
    ComRef<IWICBitmapFrameDecode> frame;
    if (FAILED(factory_->CreateDecoderFromFilename(widen(path).c_str(), nullptr, GENERIC_READ,
                                                   WICDecodeMetadataCacheOnDemand, decoder.put())) ||
        FAILED(decoder->GetFrame(0, frame.put()))) {
        return std::nullopt;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, as WIC gives the rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Bitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return std::nullopt;
    const auto w = static_cast<UINT>(width);
    const auto h = static_cast<UINT>(height);
    // Should the scaler refuse the decoder's own pixel format, the other order still gives a picture.
    if (!copyScaled(*factory_.get(), frame.get(), w, h, true, static_cast<BYTE*>(bits)) &&
        !copyScaled(*factory_.get(), frame.get(), w, h, false, static_cast<BYTE*>(bits))) {
        return std::nullopt;
    }
    return bitmap;
}

}  // namespace koruvan::win32
