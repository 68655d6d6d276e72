#include "common/picture_win.h"

#include <objbase.h>
#include <wincodec.h>

#include "common/com_ptr.h"
#include "common/scale.h"
#include "resources/resource_ids.h"

namespace vantero {
namespace {

// COM on the calling thread for as long as it lives, unless the thread already has it in
// whichever apartment: then it is used as it is.
class ComForThisThread {
public:
    ComForThisThread()
        : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComForThisThread() {
        if (SUCCEEDED(result_)) ::CoUninitialize();  // S_FALSE too: each success needs its undo
    }
    ComForThisThread(const ComForThisThread&) = delete;
    ComForThisThread& operator=(const ComForThisThread&) = delete;

private:
    HRESULT result_;
};

struct ResourceBytes {
    BYTE* data = nullptr;  // lives as long as the module; WIC only reads it
    DWORD size = 0;
};

ResourceBytes find_png(int resource_id) {
    const HMODULE module = ::GetModuleHandleW(nullptr);
    const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(resource_id), RT_RCDATA);
    if (!found) return {};
    const HGLOBAL loaded = ::LoadResource(module, found);
    if (!loaded) return {};
    return {static_cast<BYTE*>(::LockResource(loaded)), ::SizeofResource(module, found)};
}

// A top-down 24-bit DIB section: rows in the order WIC copies them, pixels blue, green, red.
unique_gdi_object make_dib(LONG width, LONG height, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    return unique_gdi_object(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0));
}

// Every WIC object lives inside this call, so the decoder's buffers are gone when it returns.
unique_gdi_object decode(const ResourceBytes& png) {
    com_ptr<IWICImagingFactory> factory;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_PPV_ARGS(factory.put()))))
        return {};
    com_ptr<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.put())) ||
        FAILED(stream->InitializeFromMemory(png.data, png.size)))
        return {};
    com_ptr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr,
                                                WICDecodeMetadataCacheOnDemand, decoder.put())))
        return {};
    com_ptr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.put()))) return {};
    // GDI's 24-bit DIBs hold blue, green, red: the colour key must come out byte for byte.
    com_ptr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(converter.put())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat24bppBGR,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return {};
    UINT width = 0, height = 0;
    constexpr UINT kLargest = 16384;  // keeps stride * height far from overflowing
    if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 ||
        width > kLargest || height > kLargest)
        return {};

    void* bits = nullptr;
    unique_gdi_object bitmap = make_dib(static_cast<LONG>(width), static_cast<LONG>(height), &bits);
    if (!bitmap || !bits) return {};
    const UINT stride = (width * 3 + 3) & ~3u;  // DIB rows end on a four-byte boundary
    if (FAILED(converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits))))
        return {};
    return bitmap;
}

// A copy of the picture at another size, each pixel taken whole from the nearest source pixel.
unique_gdi_object stretched(HBITMAP picture, const BITMAP& drawn, SIZE wanted) {
    if (wanted.cx <= 0 || wanted.cy <= 0) return {};
    void* bits = nullptr;
    unique_gdi_object copy = make_dib(wanted.cx, wanted.cy, &bits);
    if (!copy) return {};
    HDC source = ::CreateCompatibleDC(nullptr);
    HDC target = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old_source = ::SelectObject(source, picture);
    HGDIOBJ old_target = ::SelectObject(target, copy.get());
    ::SetStretchBltMode(target, COLORONCOLOR);
    ::StretchBlt(target, 0, 0, wanted.cx, wanted.cy, source, 0, 0, drawn.bmWidth, drawn.bmHeight,
                 SRCCOPY);
    ::SelectObject(target, old_target);
    ::SelectObject(source, old_source);
    ::DeleteDC(target);
    ::DeleteDC(source);
    return copy;
}

}  // namespace

unique_gdi_object load_bitmap(int resource_id) {
    const ResourceBytes png = find_png(resource_id);
    if (!png.data || png.size == 0) return {};
    const ComForThisThread com;
    return decode(png);
}

unique_gdi_object load_bitmap_for_dpi(int base_id, Size at_96_dpi, Scale scale) {
    const SIZE wanted{scale.px(at_96_dpi.width), scale.px(at_96_dpi.height)};
    const int step = nearest_picture_scale(scale.dpi());
    unique_gdi_object picture = load_bitmap(base_id + step * IDB_SCALE_STEP);
    if (!picture && step != 0) picture = load_bitmap(base_id);
    if (!picture) return {};
    BITMAP drawn{};
    ::GetObjectW(picture.get(), sizeof(drawn), &drawn);
    if (drawn.bmWidth == wanted.cx && drawn.bmHeight == wanted.cy) return picture;
    return stretched(static_cast<HBITMAP>(picture.get()), drawn, wanted);
}

}  // namespace vantero
