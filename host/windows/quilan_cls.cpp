#include "host/windows/quilan_cls.h"

#include <atomic>
#include <string>

#include "host/windows/orbelle_angles.h"
#include "host/windows/server_lifetime.h"
#include "host/windows/wide_text.h"

namespace orbelle::windows {
namespace {

constexpr const wchar_t* kProgId = L"OrbelleAngles.QuilanCls";

// The vtable type information of the dual interface _QuilanCls, from the type library in
// this program's resources.
ITypeInfo* LoadInterfaceTypeInfo() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  ITypeLib* library = nullptr;
  if (FAILED(LoadTypeLibEx(path, REGKIND_NONE, &library))) return nullptr;
  ITypeInfo* dispatch_info = nullptr;
  ITypeInfo* vtable_info = nullptr;
  if (SUCCEEDED(library->GetTypeInfoOfGuid(IID__QuilanCls, &dispatch_info))) {
    HREFTYPE vtable = 0;
    // A dual interface's dispatch type info refers to its vtable half as implemented type -1.
    if (SUCCEEDED(dispatch_info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtable)))
      dispatch_info->GetRefTypeInfo(vtable, &vtable_info);
    if (!vtable_info) {
      vtable_info = dispatch_info;
      vtable_info->AddRef();
    }
    dispatch_info->Release();
  }
  library->Release();
  return vtable_info;
}

void SetError(const std::string& description) {
  ICreateErrorInfo* create = nullptr;
  if (FAILED(CreateErrorInfo(&create))) return;
  create->SetGUID(IID__QuilanCls);
  create->SetSource(const_cast<LPOLESTR>(kProgId));
  const std::wstring text = Widen(description);
  create->SetDescription(const_cast<LPOLESTR>(text.c_str()));
  IErrorInfo* info = nullptr;
  if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
    SetErrorInfo(0, info);
    info->Release();
  }
  create->Release();
}

class QuilanCls final : public _QuilanCls, public ISupportErrorInfo {
 public:
  QuilanCls(QuilanServer& server, ITypeInfo* type_info) : server_(server), type_info_(type_info) {
    HoldServer();
    type_info_->AddRef();
  }
  QuilanCls(const QuilanCls&) = delete;
  QuilanCls& operator=(const QuilanCls&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID__QuilanCls) {
      *object = static_cast<_QuilanCls*>(this);
    } else if (iid == IID_ISupportErrorInfo) {
      *object = static_cast<ISupportErrorInfo*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IDispatch, from the type library.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    type_info_->AddRef();
    *info = type_info_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    return DispGetIDsOfNames(type_info_, names, count, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                   EXCEPINFO* exception, UINT* argument_error) override {
    return DispInvoke(static_cast<_QuilanCls*>(this), type_info_, id, flags, parameters, result, exception,
                      argument_error);
  }

  // _QuilanCls
  HRESULT STDMETHODCALLTYPE put_Data(BSTR text) override {
    const std::wstring request(text ? text : L"", text ? SysStringLen(text) : 0);
    if (const std::optional<RequestProblem> problem = server_.Data(request)) {
      SetError(problem->description);
      return problem->unreadable_request ? kRequestError : kCalculationError;
    }
    return S_OK;
  }

  // ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
    return iid == IID__QuilanCls ? S_OK : S_FALSE;
  }

 private:
  ~QuilanCls() {
    type_info_->Release();
    ReleaseServer();
  }

  QuilanServer& server_;
  ITypeInfo* type_info_;
  std::atomic<ULONG> references_{1};
};

class QuilanClassFactory final : public IClassFactory {
 public:
  QuilanClassFactory(QuilanServer& server, ITypeInfo* type_info) : server_(server), type_info_(type_info) {}
  ~QuilanClassFactory() { type_info_->Release(); }
  QuilanClassFactory(const QuilanClassFactory&) = delete;
  QuilanClassFactory& operator=(const QuilanClassFactory&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *object = this;
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* instance = new QuilanCls(server_, type_info_);
    server_.ClassInitialize();
    const HRESULT result = instance->QueryInterface(iid, object);
    instance->Release();
    return result;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock)
      HoldServer();
    else
      ReleaseServer();
    return S_OK;
  }

 private:
  QuilanServer& server_;
  ITypeInfo* type_info_;
  std::atomic<ULONG> references_{1};
};

}  // namespace

IClassFactory* CreateQuilanClassFactory(QuilanServer& server) {
  ITypeInfo* type_info = LoadInterfaceTypeInfo();
  return type_info ? new QuilanClassFactory(server, type_info) : nullptr;
}

}  // namespace orbelle::windows
