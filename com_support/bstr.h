#pragma once
// An owned BSTR: freed with SysFreeString when it goes out of scope.
#include <windows.h>
#include <oleauto.h>

namespace com_support {

class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const wchar_t* text) : value_(SysAllocString(text)) {}
    ~Bstr() { SysFreeString(value_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;

    BSTR get() const { return value_; }
    // For out-parameters: frees what is held and hands out the slot.
    BSTR* out() {
        SysFreeString(value_);
        value_ = nullptr;
        return &value_;
    }
    BSTR detach() {
        BSTR v = value_;
        value_ = nullptr;
        return v;
    }

private:
    BSTR value_ = nullptr;
};

// An owned VARIANT: cleared with VariantClear when it goes out of scope.
class Variant {
public:
    Variant() { VariantInit(&value_); }
    ~Variant() { VariantClear(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    VARIANT* get() { return &value_; }

private:
    VARIANT value_;
};

}  // namespace com_support
