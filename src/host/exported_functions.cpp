// The library's C entry points: no exception ever crosses them.
#include <memory>
#include <new>

#include "controls/ctrl_desc.h"
#include "controls/data_source.h"
#include "form/form_desc.h"
#include "host/data_reader.h"
#include "host/forward_engineering_run.h"
#include "host/registry.h"
#include "host/reverse_engineering.h"
#include "tavikfw/tavikfw.h"
#include "visualizers/visualizer_allocators.h"

namespace {

// Runs body; a failed allocation becomes status 1 and anything else unexpected the given value.
template <typename Result, typename Body>
Result Guarded(Result on_failure, Body body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return static_cast<Result>(1);
  } catch (...) {
    return on_failure;
  }
}

// For results where 1 means success: every exception, a failed allocation too, is a failure.
template <typename Result, typename Body>
Result GuardedOr(Result on_failure, Body body) noexcept {
  try {
    return body();
  } catch (...) {
    return on_failure;
  }
}

tavik::Registry& TheRegistry() {
  return tavik::Registry::Instance();
}

tavik::CCtrlDesc* Control(TVK_CTRLDESC descriptor) {
  return reinterpret_cast<tavik::CCtrlDesc*>(descriptor);
}

tavik::CDataDesc* Description(TVK_DATADESC description) {
  return reinterpret_cast<tavik::CDataDesc*>(description);
}

tavik::CDataSource* Source(TVK_DATASOURCE source) {
  return reinterpret_cast<tavik::CDataSource*>(source);
}

// Hands a descriptor that the registry made back to the client as its opaque handle.
uint32_t HandOut(tavik::Status status, tavik::CCtrlDesc* made, TVK_CTRLDESC* descriptor) {
  if (status == tavik::kOk) *descriptor = reinterpret_cast<TVK_CTRLDESC>(made);
  return status;
}

// The registry's answer to a client: 1 for success, 0 for failure.
int32_t Answer(bool done) {
  return done ? tavik::kRegistryDone : tavik::kRegistryFailed;
}

}  // namespace

extern "C" {

TAVIKFW_API uint32_t DoForwardEngineering(uint32_t host_value, uint16_t version) {
  return Guarded<uint32_t>(1,
                           [&] { return tavik::ForwardEngineeringRun(host_value, version).Run(); });
}

TAVIKFW_API uint32_t DoReverseEngineering(TVK_HANDLE form_window) {
  return GuardedOr<uint32_t>(
      0, [&] { return tavik::DoReverseEngineering(TheRegistry(), form_window); });
}

TAVIKFW_API uintptr_t TvkCurrentProcess(void) {
  return tavik::Registry::CurrentProcess();
}

TAVIKFW_API int32_t RegisterClient(CClntDesc* client) {
  return GuardedOr<int32_t>(0, [&] { return Answer(TheRegistry().RegisterClient(client)); });
}

TAVIKFW_API int32_t UnRegisterClient(uintptr_t process) {
  return GuardedOr<int32_t>(0, [&] { return Answer(TheRegistry().UnRegisterClient(process)); });
}

TAVIKFW_API int32_t RegisterObj(void* form_manager, TVK_HANDLE form_handle, uintptr_t process,
                                uint16_t version, int32_t extra_value) {
  return GuardedOr<int32_t>(0, [&] {
    return Answer(
        TheRegistry().RegisterObj(form_manager, form_handle, process, version, extra_value));
  });
}

TAVIKFW_API int32_t UnRegisterObj(void* form_manager) {
  return GuardedOr<int32_t>(0, [&] { return Answer(TheRegistry().UnRegisterObj(form_manager)); });
}

TAVIKFW_API int32_t IsObjRegistered(void* form_manager) {
  return GuardedOr<int32_t>(0, [&] { return Answer(TheRegistry().IsObjRegistered(form_manager)); });
}

TAVIKFW_API uint16_t GetFormRefCount(TVK_HANDLE form_handle) {
  return GuardedOr<uint16_t>(0, [&] { return TheRegistry().GetFormRefCount(form_handle); });
}

TAVIKFW_API uint32_t AddControl(void* owner, int32_t owner_kind, const char* class_name,
                                uint16_t version, TVK_HANDLE control_handle,
                                TVK_CTRLDESC* descriptor) {
  return Guarded<uint32_t>(1, [&] {
    tavik::CCtrlDesc* made = nullptr;
    tavik::Status status = tavik::Registry::AddControl(
        owner, owner_kind, class_name, version, control_handle, descriptor ? &made : nullptr);
    return HandOut(status, made, descriptor);
  });
}

TAVIKFW_API uint32_t AddDataControl(TVK_FORMDESC form, const char* class_name, uint16_t version,
                                    TVK_HANDLE control_handle, TVK_CTRLDESC* descriptor) {
  return Guarded<uint32_t>(1, [&] {
    tavik::CCtrlDesc* made = nullptr;
    tavik::Status status =
        tavik::Registry::AddDataControl(reinterpret_cast<tavik::CFormDesc*>(form), class_name,
                                        version, control_handle, descriptor ? &made : nullptr);
    return HandOut(status, made, descriptor);
  });
}

TAVIKFW_API uint32_t AddProperty(TVK_CTRLDESC descriptor, TVK_VARIANT value, const char* name) {
  return Guarded<uint32_t>(
      1, [&] { return tavik::Registry::AddProperty(Control(descriptor), value, name); });
}

TAVIKFW_API uint32_t SetControlName(TVK_CTRLDESC descriptor, const char* name) {
  return Guarded<uint32_t>(
      1, [&] { return tavik::Registry::SetControlName(Control(descriptor), name); });
}

TAVIKFW_API uint32_t SetControlHandle(TVK_CTRLDESC descriptor, TVK_HANDLE control_handle) {
  return Guarded<uint32_t>(
      1, [&] { return tavik::Registry::SetControlHandle(Control(descriptor), control_handle); });
}

TAVIKFW_API TVK_DATADESC FindDataDesc(void* data_reader, const char* form_name) {
  return GuardedOr<TVK_DATADESC>(nullptr, [&]() -> TVK_DATADESC {
    if (!data_reader || !form_name) return nullptr;
    auto* reader = static_cast<tavik::CDataReader*>(data_reader);
    return reinterpret_cast<TVK_DATADESC>(reader->FindDataDesc(form_name));
  });
}

TAVIKFW_API int32_t SetDataDescFormMgrObj(TVK_DATADESC description, void* form_manager) {
  if (!description) return tavik::kRegistryFailed;
  Description(description)->SetFormMgrObj(form_manager);
  return tavik::kRegistryDone;
}

TAVIKFW_API TVK_DATASOURCE AddDataSource(TVK_DATADESC description, const char* data_control_name) {
  return GuardedOr<TVK_DATASOURCE>(nullptr, [&]() -> TVK_DATASOURCE {
    if (!description || !data_control_name) return nullptr;
    auto source = std::make_unique<tavik::CDataSource>();
    if (!source->Init(data_control_name)) return nullptr;
    return reinterpret_cast<TVK_DATASOURCE>(
        &Description(description)->AddDataSource(std::move(source)));
  });
}

TAVIKFW_API int32_t AddFieldName(TVK_DATASOURCE source, const char* name, uint16_t index) {
  return GuardedOr<int32_t>(
      0, [&] { return source && name ? Source(source)->AddFieldName(name, index) : 0; });
}

TAVIKFW_API int32_t AddSourceTable(TVK_DATASOURCE source, const char* name, uint16_t index) {
  return GuardedOr<int32_t>(
      0, [&] { return source && name ? Source(source)->AddSourceTable(name, index) : 0; });
}

TAVIKFW_API int32_t CompleteDataDesc(TVK_DATADESC description, int32_t completion_value) {
  if (!description) return tavik::kRegistryFailed;
  Description(description)->SetCompletionValue(completion_value);
  return tavik::kRegistryDone;
}

TAVIKFW_API uint32_t AllocateVB3Visualizer(int32_t edit_style, void* object) {
  return Guarded<uint32_t>(1, [&] { return tavik::AllocateVB3Visualizer(edit_style, object); });
}

TAVIKFW_API uint32_t AllocateVB4Visualizer(int32_t edit_style, void* object) {
  return Guarded<uint32_t>(1, [&] { return tavik::AllocateVB4Visualizer(edit_style, object); });
}

}  // extern "C"
