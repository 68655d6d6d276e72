#pragma once
// Owns one reference to a COM object and releases it when it goes.
#include <unknwn.h>

#include <utility>

namespace vantero {

template <typename T>
class com_ptr {
public:
    com_ptr() noexcept = default;
    com_ptr(const com_ptr&) = delete;
    com_ptr& operator=(const com_ptr&) = delete;
    com_ptr(com_ptr&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}
    com_ptr& operator=(com_ptr&& other) noexcept {
        if (this != &other) reset(std::exchange(other.value_, nullptr));
        return *this;
    }
    ~com_ptr() { reset(); }

    T* get() const noexcept { return value_; }
    T* operator->() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != nullptr; }

    // Where a creating call stores its new reference; whatever was held is released first.
    T** put() noexcept {
        reset();
        return &value_;
    }
    void reset(T* value = nullptr) noexcept {
        if (value_) value_->Release();
        value_ = value;
    }

private:
    T* value_ = nullptr;
};

}  // namespace vantero
