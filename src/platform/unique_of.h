#pragma once
// The one owner of system handles: moves a handle, cannot be copied, and frees it through a traits type with
// Free(T). The empty value is T{} (nullptr for pointer handles); a traits type that also has Invalid() names a
// second "no handle" value (INVALID_HANDLE_VALUE), which is kept as empty. The Win32 owners build on it in
// platform/win32/handles.h and platform/win32/gdi_handles.h.
#include <utility>

namespace velvane::platform {

template <typename T, typename Traits>
class UniqueOf {
public:
  UniqueOf() = default;
  explicit UniqueOf(T h) : h_(Owned(h)) {}
  UniqueOf(const UniqueOf&) = delete;
  UniqueOf& operator=(const UniqueOf&) = delete;
  UniqueOf(UniqueOf&& o) noexcept : h_(o.release()) {}
  UniqueOf& operator=(UniqueOf&& o) noexcept {
    if (this != &o) reset(o.release());
    return *this;
  }
  ~UniqueOf() { reset(); }

  T get() const { return h_; }
  explicit operator bool() const { return h_ != T{}; }
  T release() { return std::exchange(h_, T{}); }
  void reset(T h = T{}) {
    T old = std::exchange(h_, Owned(h));
    if (old != T{}) Traits::Free(old);
  }

private:
  static T Owned(T h) {
    if constexpr (requires { Traits::Invalid(); }) {
      if (h == Traits::Invalid()) return T{};
    }
    return h;
  }

  T h_{};
};

}  // namespace velvane::platform
