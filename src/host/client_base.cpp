// The operation table that forwards a client's operations to its virtual functions.
#include "host/client_base.h"

#include "host/registry.h"

namespace tavik {

namespace {

ClientBase& Self(CClntDesc* client) {
  return *static_cast<ClientBase*>(client);
}

const CClntDescOps kClientOps = {
    [](CClntDesc*) {},
    [](CClntDesc* c, void* m, void** b) { return Self(c).GetLiveFormName(m, b); },
    [](CClntDesc* c, TVK_HANDLE h, uint16_t* n) { return Self(c).GetLiveChildCount(h, n); },
    [](CClntDesc* c, TVK_HANDLE h, TVK_HANDLE* a) { return Self(c).GetLiveChildren(h, a); },
    [](CClntDesc* c, void* m, uint16_t* n) { return Self(c).GetLiveCtrlCount(m, n); },
    [](CClntDesc* c, void* m, TVK_HANDLE* a) { return Self(c).GetLiveCtrls(m, a); },
    [](CClntDesc* c, TVK_HANDLE h, void* o, int32_t k, TVK_CTRLDESC* d) {
      return Self(c).DescribeLiveCtrl(h, o, k, d);
    },
    [](CClntDesc* c, const char* p) { return Self(c).FormFileWritten(p); },
    nullptr,
    nullptr,
    [](CClntDesc* c) { return Self(c).CollectDataSources(); },
    [](CClntDesc* c, TVK_HANDLE* f, TVK_HANDLE* w) { return Self(c).CreateLiveForm(f, w); },
    [](CClntDesc* c, const char* n, TVK_VARIANT* v, TVK_HANDLE f) {
      return Self(c).SetLiveFormProperty(n, v, f);
    },
    [](CClntDesc* c, const char* n, TVK_HANDLE* h, TVK_HANDLE f, TVK_HANDLE p) {
      return Self(c).CreateClientCtrl(n, h, f, p);
    },
    [](CClntDesc* c, const char* n, TVK_VARIANT* v, TVK_HANDLE h) {
      return Self(c).SetClientCtrlProperty(n, v, h);
    },
    nullptr,
    [](CClntDesc* c, TVK_HANDLE f, const char* p) { return Self(c).LoadLiveFormCode(f, p); },
    nullptr,
    [](CClntDesc* c, const char* g, const char* d) { return Self(c).BindLiveGrid(g, d); },
    nullptr,
    [](CClntDesc* c, TVK_HANDLE w) { return Self(c).FinishLiveForm(w); },
};

}  // namespace

ClientBase::ClientBase(uint16_t client_version, bool generates_live, bool writes_files,
                       bool writes_to_virtual_space)
    : CClntDesc{} {
  ops = &kClientOps;
  version = client_version;
  can_generate = generates_live ? 1 : 0;
  can_write_to_file = writes_files ? 1 : 0;
  can_write_to_virtual_space = writes_to_virtual_space ? 1 : 0;
  process = Registry::CurrentProcess();
}

}  // namespace tavik
