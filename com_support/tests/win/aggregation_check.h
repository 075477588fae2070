#pragma once
// The aggregation rules every class of ours keeps, checked through CoCreateInstance on the
// registered DLL with an outer object of the test's own, as DirectShow's DMO wrapper or any other
// aggregating host would create it.
#include <gtest/gtest.h>
#include <windows.h>
#include <unknwn.h>

#include <cstdint>

namespace com_support::test {

// An outer object: answers IUnknown with itself and hands every other interface to the inner
// unknown it holds. It lives on the test's stack, so its count only shows who called it.
class TestOuter final : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (iid == IID_IUnknown) {
            *object = this;
            AddRef();
            return S_OK;
        }
        if (inner == nullptr) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        return inner->QueryInterface(iid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--references); }

    IUnknown* inner = nullptr;
    LONG references = 1;
};

struct AggregationRow {
    const char* name;
    CLSID clsid;
    IID iid;  // an interface the class implements
};

inline void PrintTo(const AggregationRow& row, std::ostream* out) { *out << row.name; }

// `dll` names the module that serves the class, for its DllCanUnloadNow.
inline void expectAggregatable(const AggregationRow& row, const wchar_t* dll) {
    TestOuter outer;
    void* refused = reinterpret_cast<void*>(static_cast<std::uintptr_t>(0xDEADBEEF));
    EXPECT_EQ(CoCreateInstance(row.clsid, &outer, CLSCTX_INPROC_SERVER, row.iid, &refused), CLASS_E_NOAGGREGATION)
        << "an aggregated object is handed out only as its inner unknown";
    EXPECT_EQ(refused, nullptr);

    IUnknown* inner = reinterpret_cast<IUnknown*>(static_cast<std::uintptr_t>(0xDEADBEEF));
    ASSERT_EQ(CoCreateInstance(row.clsid, &outer, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&inner)),
              S_OK);
    ASSERT_NE(inner, nullptr);
    ASSERT_NE(inner, &outer);
    outer.inner = inner;
    EXPECT_EQ(outer.references, 1) << "the inner object holds no counted reference on its outer object";

    using CanUnload = HRESULT(WINAPI*)();
    HMODULE module = GetModuleHandleW(dll);
    ASSERT_NE(module, nullptr);
    auto canUnload = reinterpret_cast<CanUnload>(reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    ASSERT_NE(canUnload, nullptr);
    EXPECT_EQ(canUnload(), S_FALSE) << "the aggregated object keeps the module loaded";

    // The inner unknown does not delegate: IUnknown is itself, with a count of its own.
    IUnknown* innerAgain = nullptr;
    ASSERT_EQ(inner->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&innerAgain)), S_OK);
    EXPECT_EQ(innerAgain, inner);
    EXPECT_EQ(outer.references, 1);
    EXPECT_EQ(innerAgain->Release(), 1u);

    // Every interface delegates to the outer object: its count sees each AddRef and Release.
    IUnknown* face = nullptr;
    ASSERT_EQ(inner->QueryInterface(row.iid, reinterpret_cast<void**>(&face)), S_OK);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(outer.references, 2) << "the reference handed out is counted by the outer object";
    EXPECT_EQ(face->AddRef(), 3u);
    EXPECT_EQ(outer.references, 3);
    EXPECT_EQ(face->Release(), 2u);
    EXPECT_EQ(outer.references, 2);

    // Identity through the outer object, also when asked through the interface.
    IUnknown* identity = nullptr;
    ASSERT_EQ(face->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
    EXPECT_EQ(identity, static_cast<IUnknown*>(&outer));
    identity->Release();
    void* same = nullptr;
    ASSERT_EQ(face->QueryInterface(row.iid, &same), S_OK) << "asked of the outer object, which asks the inner";
    EXPECT_EQ(same, face);
    static_cast<IUnknown*>(same)->Release();
    EXPECT_EQ(face->Release(), 1u);
    EXPECT_EQ(outer.references, 1) << "every reference the interfaces took went back";

    // The outer object's release of the inner unknown ends the object and the module's count.
    EXPECT_EQ(inner->Release(), 0u);
    EXPECT_EQ(canUnload(), S_OK);
    EXPECT_EQ(outer.references, 1);
}

}  // namespace com_support::test
