#include "object_model/class_factory.h"

#include "win32/com_object.h"
#include "object_model/objects.h"

#include <new>

namespace wordsrv {

using tessaro::ComObject;

namespace {

class ClassFactory final : public ComObject<IClassFactory> {
public:
    explicit ClassFactory(WordPtr word) : word_(std::move(word)) {}

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        if (word_->hasQuit())
            return CO_E_SERVER_STOPPING;
        try {
            const ComPtr<IDispatch> application = ComPtr<IDispatch>(newApplication(word_));
            return application->QueryInterface(iid, object);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
    }

    // The process ends with its last object or its client, not with locks.
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    WordPtr word_;
};

}  // namespace

ComPtr<IClassFactory> newClassFactory(WordPtr word)
{
    return ComPtr<IClassFactory>(new ClassFactory(std::move(word)));
}

}  // namespace wordsrv
