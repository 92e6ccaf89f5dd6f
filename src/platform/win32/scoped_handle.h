#pragma once
// Owning wrappers for the system handles that this program opens itself: each closes its handle exactly once.
// Windows of other programs are never held through these (they are plain values; we must not destroy them).

#include <windows.h>

#include <utility>

namespace koruvan::win32 {

template <typename Traits>
class ScopedHandle {
  public:
    using Handle = typename Traits::Handle;

    ScopedHandle() = default;
    explicit ScopedHandle(Handle handle) : handle_(handle) {}
    ~ScopedHandle() { reset(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle(ScopedHandle&& other) noexcept : handle_(std::exchange(other.handle_, Traits::invalid())) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, Traits::invalid());
        }
        return *this;
    }

    bool valid() const { return handle_ != Traits::invalid(); }
    explicit operator bool() const { return valid(); }
    Handle get() const { return handle_; }
    // For calls that return the handle through an out-parameter; closes any handle held before.
    Handle* receive() {
        reset();
        return &handle_;
    }
    void reset() {
        if (valid()) Traits::close(handle_);
        handle_ = Traits::invalid();
    }

  private:
    Handle handle_ = Traits::invalid();
};

struct KernelObjectTraits {  // mutexes, events: null when absent
    using Handle = HANDLE;
    static Handle invalid() { return nullptr; }
    static void close(Handle handle) { CloseHandle(handle); }
};

struct FileTraits {  // CreateFileW: INVALID_HANDLE_VALUE when absent
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Handle handle) { CloseHandle(handle); }
};

struct FindTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Handle handle) { FindClose(handle); }
};

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle invalid() { return nullptr; }
    static void close(Handle handle) { RegCloseKey(handle); }
};

template <typename GdiHandle>  // brushes, fonts, bitmaps
struct GdiObjectTraits {
    using Handle = GdiHandle;
    static Handle invalid() { return nullptr; }
    static void close(Handle handle) { DeleteObject(handle); }
};

struct IconTraits {
    using Handle = HICON;
    static Handle invalid() { return nullptr; }
    static void close(Handle handle) { DestroyIcon(handle); }
};

using KernelObject = ScopedHandle<KernelObjectTraits>;
using Brush = ScopedHandle<GdiObjectTraits<HBRUSH>>;
using Font = ScopedHandle<GdiObjectTraits<HFONT>>;
using Bitmap = ScopedHandle<GdiObjectTraits<HBITMAP>>;
using Icon = ScopedHandle<IconTraits>;
using FileHandle = ScopedHandle<FileTraits>;
using FindHandle = ScopedHandle<FindTraits>;
using RegistryKey = ScopedHandle<RegistryKeyTraits>;

}  // namespace koruvan::win32
