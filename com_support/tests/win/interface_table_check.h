#pragma once
// What an object answers when asked for interfaces: the expected result for each row of a table,
// a null out-parameter on every refusal (it starts as a sentinel), one identity behind every
// interface handed out, and a null out-pointer refused with E_POINTER.
#include <gtest/gtest.h>
#include <windows.h>
#include <unknwn.h>

#include <cstdint>
#include <span>

namespace com_support::test {

struct InterfaceRow {
    const char* name;
    IID iid;
    HRESULT expected;
};

inline void expectInterfaceTable(IUnknown* object, std::span<const InterfaceRow> rows) {
    IUnknown* identity = nullptr;
    ASSERT_EQ(object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
    for (const InterfaceRow& row : rows) {
        SCOPED_TRACE(row.name);
        void* face = reinterpret_cast<void*>(static_cast<std::uintptr_t>(0xDEADBEEF));
        EXPECT_EQ(object->QueryInterface(row.iid, &face), row.expected);
        if (row.expected != S_OK) {
            EXPECT_EQ(face, nullptr);
            continue;
        }
        IUnknown* again = nullptr;
        static_cast<IUnknown*>(face)->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&again));
        EXPECT_EQ(again, identity);
        if (again != nullptr) again->Release();
        static_cast<IUnknown*>(face)->Release();
    }
    EXPECT_EQ(object->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    identity->Release();
}

}  // namespace com_support::test
