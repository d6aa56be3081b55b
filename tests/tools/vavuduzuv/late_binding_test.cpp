#include "vavuduzuv/late_binding.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <oleauto.h>

#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <utility>

#include "vavuduzuv/itunes_library.h"

namespace {

// An automation object made of named members, each answered by a function,
// standing in for iTunes' objects. It lives on the test's stack and counts
// references so that a leaked or over-released reference shows.
class FakeAutomation : public IDispatch {
public:
    using Member = std::function<HRESULT(WORD kind, DISPPARAMS* parameters, VARIANT* result)>;

    void Add(const std::wstring& name, Member member) { members_[name] = std::move(member); }
    ULONG References() const { return references_; }

    // Hands out a new reference in a result, as a server does.
    HRESULT ReturnSelf(VARIANT* result) {
        AddRef();
        V_VT(result) = VT_DISPATCH;
        V_DISPATCH(result) = this;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        *object = (id == IID_IUnknown || id == IID_IDispatch) ? this : nullptr;
        if (*object == nullptr) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        HRESULT hr = S_OK;
        for (UINT i = 0; i < count; ++i) {
            const auto found = members_.find(names[i]);
            ids[i] = found == members_.end() ? DISPID_UNKNOWN : IdOf(found->first);
            if (found == members_.end()) hr = DISP_E_UNKNOWNNAME;
        }
        return hr;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD kind, DISPPARAMS* parameters, VARIANT* result,
                                     EXCEPINFO* exception, UINT*) override {
        for (auto& [name, member] : members_) {
            if (IdOf(name) != id) continue;
            const HRESULT hr = member(kind, parameters, result);
            if (hr == DISP_E_EXCEPTION && exception != nullptr) {
                exception->bstrDescription = SysAllocString(L"refused");
                exception->scode = E_ACCESSDENIED;
            }
            return hr;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    DISPID IdOf(const std::wstring& name) const {
        return static_cast<DISPID>(std::distance(members_.begin(), members_.find(name)) + 1);
    }

    std::map<std::wstring, Member> members_;
    ULONG references_ = 1;
};

const std::wstring kClip = L"C:\\My Videos\\Tom & Jerry \u00e9\u65e5.m4v";

// iTunes' shape: application.LibraryPlaylist.AddFile(path) returns a status
// whose InProgress turns false when the file is in.
class ITunesShape : public ::testing::Test {
protected:
    FakeAutomation application, library, status;
    std::wstring addedPath;
    int progressAnswers = 0;

    void SetUp() override {
        application.Add(L"LibraryPlaylist", [this](WORD kind, DISPPARAMS*, VARIANT* result) {
            return kind & DISPATCH_PROPERTYGET ? library.ReturnSelf(result) : DISP_E_MEMBERNOTFOUND;
        });
        library.Add(L"AddFile", [this](WORD kind, DISPPARAMS* parameters, VARIANT* result) {
            if (!(kind & DISPATCH_METHOD) || parameters->cArgs != 1) return DISP_E_BADPARAMCOUNT;
            if (V_VT(&parameters->rgvarg[0]) != VT_BSTR) return DISP_E_TYPEMISMATCH;
            addedPath.assign(V_BSTR(&parameters->rgvarg[0]), SysStringLen(V_BSTR(&parameters->rgvarg[0])));
            return status.ReturnSelf(result);
        });
        status.Add(L"InProgress", [this](WORD, DISPPARAMS*, VARIANT* result) {
            V_VT(result) = VT_BOOL;
            V_BOOL(result) = ++progressAnswers < 3 ? VARIANT_TRUE : VARIANT_FALSE;
            return S_OK;
        });
    }

    void ExpectNoReferenceKept() {
        EXPECT_EQ(application.References(), 1u);
        EXPECT_EQ(library.References(), 1u);
        EXPECT_EQ(status.References(), 1u);
    }
};

TEST_F(ITunesShape, AddsTheExactPathAndWaitsUntilTheAddIsDone) {
    EXPECT_EQ(AddThroughApplication(&application, kClip), S_OK);
    EXPECT_EQ(addedPath, kClip);
    EXPECT_EQ(progressAnswers, 3);
    ExpectNoReferenceKept();
}

TEST_F(ITunesShape, FailsCleanlyWhenTheObjectsAreNotWhatTheyShouldBe) {
    library.Add(L"AddFile", [](WORD, DISPPARAMS*, VARIANT*) { return DISP_E_EXCEPTION; });
    EXPECT_EQ(AddThroughApplication(&application, kClip), E_ACCESSDENIED);

    status.Add(L"InProgress", [](WORD, DISPPARAMS*, VARIANT*) { return E_FAIL; });
    library.Add(L"AddFile", [this](WORD, DISPPARAMS*, VARIANT* result) { return status.ReturnSelf(result); });
    EXPECT_EQ(AddThroughApplication(&application, kClip), E_FAIL);

    application.Add(L"LibraryPlaylist", [](WORD, DISPPARAMS*, VARIANT* result) {
        V_VT(result) = VT_BSTR;
        V_BSTR(result) = SysAllocString(L"not an object");
        return S_OK;
    });
    EXPECT_TRUE(FAILED(AddThroughApplication(&application, kClip)));

    FakeAutomation empty;
    EXPECT_EQ(AddThroughApplication(&empty, kClip), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(AddThroughApplication(nullptr, kClip), E_POINTER);
    ExpectNoReferenceKept();
}

}  // namespace
