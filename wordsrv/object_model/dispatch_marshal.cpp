// How a DispatchObject travels to another process: as its number on the
// call channel (see call_wire.h), or, where that does not apply, as COM's
// standard proxy.
#include "transport/call_channel.h"
#include "object_model/dispatch.h"

namespace wordsrv {

namespace {

// The mailbox serves processes on this machine only, and carries IDispatch calls only.
CallChannel* channelFor(REFIID iid, DWORD context, DWORD flags)
{
    if (context != MSHCTX_LOCAL || flags != MSHLFLAGS_NORMAL || (iid != IID_IDispatch && iid != IID_IUnknown))
        return nullptr;
    return CallChannel::active();
}

}  // namespace

ComPtr<IMarshal> DispatchObject::standardMarshal(REFIID iid, DWORD context, void* contextData, DWORD flags)
{
    ComPtr<IMarshal> marshal;
    CoGetStandardMarshal(iid, static_cast<IDispatch*>(this), context, contextData, flags, marshal.put());
    return marshal;
}

HRESULT DispatchObject::GetUnmarshalClass(REFIID iid, void* object, DWORD context, void* contextData, DWORD flags,
                                          CLSID* unmarshaler)
{
    if (!unmarshaler)
        return E_POINTER;
    if (channelFor(iid, context, flags)) {
        *unmarshaler = wire::CLSID_TessaroWordProxy;
        return S_OK;
    }
    const ComPtr<IMarshal> standard = standardMarshal(iid, context, contextData, flags);
    return standard ? standard->GetUnmarshalClass(iid, object, context, contextData, flags, unmarshaler) : E_FAIL;
}

HRESULT DispatchObject::GetMarshalSizeMax(REFIID iid, void* object, DWORD context, void* contextData, DWORD flags,
                                          DWORD* size)
{
    if (!size)
        return E_POINTER;
    if (channelFor(iid, context, flags)) {
        *size = wire::kObjectRefSize;
        return S_OK;
    }
    const ComPtr<IMarshal> standard = standardMarshal(iid, context, contextData, flags);
    return standard ? standard->GetMarshalSizeMax(iid, object, context, contextData, flags, size) : E_FAIL;
}

HRESULT DispatchObject::MarshalInterface(IStream* stream, REFIID iid, void* object, DWORD context, void* contextData,
                                         DWORD flags)
{
    if (!stream)
        return E_POINTER;
    if (CallChannel* channel = channelFor(iid, context, flags)) {
        const wire::ObjectRef ref = channel->refer(static_cast<IDispatch*>(this));
        const HRESULT hr = wire::writeRef(stream, ref);
        if (FAILED(hr))
            channel->forget(ref.id);
        return hr;
    }
    const ComPtr<IMarshal> standard = standardMarshal(iid, context, contextData, flags);
    return standard ? standard->MarshalInterface(stream, iid, object, context, contextData, flags) : E_FAIL;
}

// Data written above is read and released by the proxy's class, never here.
HRESULT DispatchObject::UnmarshalInterface(IStream*, REFIID, void**) { return E_NOTIMPL; }

HRESULT DispatchObject::ReleaseMarshalData(IStream*) { return E_NOTIMPL; }

HRESULT DispatchObject::DisconnectObject(DWORD) { return S_OK; }

}  // namespace wordsrv
