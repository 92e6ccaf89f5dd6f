#include "platform/win32/picture_loader.h"

#include <utility>

#include "platform/win32/device_context.h"
#include "platform/win32/wide_text.h"

namespace koruvan::win32 {
namespace {

// The source at width x height as 32-bit BGRA (premultiplied: a transparent part shows black), written to
// pixels. With the scaler straight after a decoder, WIC lets a decoder that can scale do so while it decodes
// (Windows' JPEG decoder reduces by 2, 4 or 8 at once) instead of decoding a photograph at full size.
bool copyScaled(IWICImagingFactory& factory, IWICBitmapSource* source, UINT width, UINT height,
                bool scaleFirst, BYTE* pixels) {
    ComRef<IWICBitmapScaler> scaler;
    ComRef<IWICFormatConverter> converter;
    if (FAILED(factory.CreateBitmapScaler(scaler.put())) ||
        FAILED(factory.CreateFormatConverter(converter.put()))) {
        return false;
    }
    const auto convert = [&](IWICBitmapSource* from) {
        return converter->Initialize(from, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                     WICBitmapPaletteTypeCustom);
    };
    const auto scale = [&](IWICBitmapSource* from) {
        return scaler->Initialize(from, width, height, WICBitmapInterpolationModeFant);
    };
    IWICBitmapSource* last = nullptr;
    HRESULT result = E_FAIL;
    if (scaleFirst) {
        result = scale(source);
        if (SUCCEEDED(result)) result = convert(scaler.get());
        last = converter.get();
    } else {
        result = convert(source);
        if (SUCCEEDED(result)) result = scale(converter.get());
        last = scaler.get();
    }
    return SUCCEEDED(result) && SUCCEEDED(last->CopyPixels(nullptr, width * 4, width * height * 4, pixels));
}

// A 32-bit top-down bitmap whose pixels lie at `bits`.
Bitmap trueColourBitmap(int width, int height, void*& bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, as WIC gives the rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bits = nullptr;
    Bitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    return bits ? std::move(bitmap) : Bitmap();
}

// The bitmap copied at its own size into 32 bits: WIC takes a palette bitmap's colours from the bitmap only
// on some systems (Wine leaves them out, and nothing can be scaled), GDI on every one.
Bitmap trueColourCopy(HBITMAP source) {
    BITMAP info{};
    if (!GetObjectW(source, sizeof(info), &info)) return {};
    void* bits = nullptr;
    Bitmap copy = trueColourBitmap(info.bmWidth, info.bmHeight, bits);
    if (!copy) return {};
    const MemoryDc from(nullptr);
    const MemoryDc to(nullptr);
    const Selection fromSelected(from.get(), source);
    const Selection toSelected(to.get(), copy.get());
    if (!BitBlt(to.get(), 0, 0, info.bmWidth, info.bmHeight, from.get(), 0, 0, SRCCOPY)) return {};
    return copy;
}

}  // namespace

IWICImagingFactory* PictureLoader::factory() {
    if (!com_.usable()) return nullptr;
    if (!factory_ && FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                             IID_IWICImagingFactory, factory_.receive()))) {
        return nullptr;
    }
    return factory_.get();
}

// The decoder is chosen by the file's content, whatever its name. It holds the file open only while it lives.
bool PictureLoader::openFirstFrame(const std::string& path, ComRef<IWICBitmapDecoder>& decoder,
                                   ComRef<IWICBitmapFrameDecode>& frame) {
    IWICImagingFactory* wic = factory();
    return wic && !path.empty() &&
           SUCCEEDED(wic->CreateDecoderFromFilename(widen(path).c_str(), nullptr, GENERIC_READ,
                                                    WICDecodeMetadataCacheOnDemand, decoder.put())) &&
           SUCCEEDED(decoder->GetFrame(0, frame.put()));
}

Bitmap PictureLoader::load(const std::string& path, int width, int height) {
    ComRef<IWICBitmapDecoder> decoder;
    ComRef<IWICBitmapFrameDecode> frame;
    if (!openFirstFrame(path, decoder, frame)) return {};
    return scaled(frame.get(), width, height);
}

Bitmap PictureLoader::scale(HBITMAP source, int width, int height) {
    IWICImagingFactory* wic = factory();
    const Bitmap copy = source ? trueColourCopy(source) : Bitmap();
    ComRef<IWICBitmap> bitmap;
    if (!wic || !copy ||
        FAILED(wic->CreateBitmapFromHBITMAP(copy.get(), nullptr, WICBitmapIgnoreAlpha, bitmap.put()))) {
        return {};
    }
    return scaled(bitmap.get(), width, height);
}

bool PictureLoader::isPicture(const std::string& path) {
    ComRef<IWICBitmapDecoder> decoder;
    ComRef<IWICBitmapFrameDecode> frame;
    return openFirstFrame(path, decoder, frame);
}

Bitmap PictureLoader::scaled(IWICBitmapSource* source, int width, int height) {
    if (width <= 0 || height <= 0) return {};
    void* bits = nullptr;
    Bitmap bitmap = trueColourBitmap(width, height, bits);
    if (!bitmap) return {};
    const auto w = static_cast<UINT>(width);
    const auto h = static_cast<UINT>(height);
    // Should the scaler refuse the source's own pixel format, the other order still gives a picture.
    if (!copyScaled(*factory_.get(), source, w, h, true, static_cast<BYTE*>(bits)) &&
        !copyScaled(*factory_.get(), source, w, h, false, static_cast<BYTE*>(bits))) {
        return {};
    }
    return bitmap;
}

}  // namespace koruvan::win32
