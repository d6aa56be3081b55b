#pragma once

#include <oaidl.h>

#include <string>

// Calls on an automation object by member name (IDispatch), so VavuDuzuv
// needs no type library or header of the program it drives and simply fails
// when a member is missing. Every result is checked for its type before use.

// Keeps COM initialised on the calling thread (multithreaded apartment, so no
// message loop is needed) for the object's lifetime.
class ComApartment {
public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    bool IsReady() const { return ready_; }

private:
    bool ready_;
};

// Owns one reference to an automation object.
class DispatchRef {
public:
    DispatchRef() = default;
    explicit DispatchRef(IDispatch* owned) : object_(owned) {}
    ~DispatchRef() { Reset(); }
    DispatchRef(const DispatchRef&) = delete;
    DispatchRef& operator=(const DispatchRef&) = delete;

    IDispatch* Get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    void Reset(IDispatch* owned = nullptr);

private:
    IDispatch* object_ = nullptr;
};

// Reads a property that holds an object. Fails when the value is not one.
HRESULT GetObjectProperty(IDispatch* object, const wchar_t* name, DispatchRef& value);

// Reads a property that holds (or converts to) a truth value.
HRESULT GetBoolProperty(IDispatch* object, const wchar_t* name, bool& value);

// Calls a method with one string argument. `returned` holds the object the
// method returned, or nothing when it returned no object.
HRESULT CallWithString(IDispatch* object, const wchar_t* name, const std::wstring& argument, DispatchRef& returned);
