// Owners of the few Win32 and COM resources the window layer holds.
#pragma once

#include <windows.h>
#include <ole2.h>

namespace zq {

// An icon loaded from the resources without LR_SHARED, so it is ours to destroy.
class UniqueIcon {
 public:
  UniqueIcon() = default;
  explicit UniqueIcon(HICON icon) : icon_(icon) {}
  ~UniqueIcon() { Reset(); }
  UniqueIcon(const UniqueIcon&) = delete;
  UniqueIcon& operator=(const UniqueIcon&) = delete;
  UniqueIcon& operator=(UniqueIcon&& other) noexcept {
    if (this != &other) {
      Reset();
      icon_ = other.icon_;
      other.icon_ = nullptr;
    }
    return *this;
  }

  HICON get() const { return icon_; }
  void Reset() {
    if (icon_ != nullptr) DestroyIcon(icon_);
    icon_ = nullptr;
  }

 private:
  HICON icon_ = nullptr;
};

// One reference to a COM object.
template <class T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (object_ != nullptr) object_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;

  T* get() const { return object_; }
  T* operator->() const { return object_; }
  // For the out-parameter of the call that hands out the reference.
  T** Receive() { return &object_; }

 private:
  T* object_ = nullptr;
};

// OLE on the window's thread, from start-up to the end of the exit procedure.
class OleSession {
 public:
  OleSession() = default;
  ~OleSession() { End(); }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;

  // Start-up goes on when OLE cannot be initialised.
  void Begin() { active_ = SUCCEEDED(OleInitialize(nullptr)); }
  void End() {
    if (active_) OleUninitialize();
    active_ = false;
  }

 private:
  bool active_ = false;
};

}  // namespace zq
