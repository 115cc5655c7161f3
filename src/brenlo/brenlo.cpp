// The C interface of our model access library: loading models, the twelve BR_ functions and
// the bulk read of a property list.
#include "tavikfw/brenlo.h"

#include <string_view>

#include "brenlo/model_store.h"
#include "brenlo/session.h"

namespace {

using tavik::brenlo::ModelStore;
using tavik::brenlo::Session;

ModelStore& Store() {
  return ModelStore::Shared();
}

// One session per process, as one store.
Session& CurrentSession() {
  static Session session;
  return session;
}

constexpr std::int32_t kNothingDelivered = 1;

// BR_Start's answers, and BR_Done's one.
enum StartAnswer : std::int32_t { kNotStarted = 0, kStarted = 1 };
constexpr std::int32_t kDone = 0;

// No exception may cross into a C caller; an iterator that fails delivers nothing.
template <class Call>
std::int32_t Guarded(Call call) noexcept {
  try {
    return call();
  } catch (...) {
    return kNothingDelivered;
  }
}

template <class Load>
std::int32_t GuardedLoad(Load load) noexcept {
  try {
    return load();
  } catch (...) {
    // Parsing allocates and nothing else throws, so running out of memory is the cause.
    Store().NoteOutOfMemory();
    return BR_LOAD_REFUSED;
  }
}

}  // namespace

int32_t BR_LoadModelFile(const char* path, uint32_t* host_value) {
  return GuardedLoad([&] { return Store().LoadFile(path, host_value); });
}

int32_t BR_LoadModelText(const char* text, size_t length, uint32_t* host_value) {
  return GuardedLoad([&] {
    if (text == nullptr) length = 0;
    return Store().LoadText(std::string_view(text == nullptr ? "" : text, length), host_value);
  });
}

const char* BR_LastLoadError(void) {
  return Store().last_error();
}

const char* BR_LastLoadWarnings(void) {
  return Store().last_warnings();
}

void BR_UnloadModel(uint32_t host_value) {
  Store().Unload(host_value);
}

int32_t BR_Start(uint32_t host_value, uint32_t version4_flag) {
  try {
    Session& session = CurrentSession();
    session.End();
    const auto model = Store().Find(host_value);
    if (!model || version4_flag > 1) return kNotStarted;
    return session.Start(model) ? kStarted : kNotStarted;
  } catch (...) {
    CurrentSession().End();
    return kNotStarted;
  }
}

int32_t BR_Done(void) {
  CurrentSession().End();
  return kDone;
}

int32_t BR_GetFirstEntity(uint32_t* attribute_list, uint32_t* property_list) {
  return Guarded([&] { return CurrentSession().Entity(true, attribute_list, property_list); });
}

int32_t BR_GetNextEntity(uint32_t* attribute_list, uint32_t* property_list) {
  return Guarded([&] { return CurrentSession().Entity(false, attribute_list, property_list); });
}

int32_t BR_GetFirstAttribute(uint32_t attribute_list, uint32_t* ignored, uint32_t* property_list) {
  return Guarded(
      [&] { return CurrentSession().Attribute(true, attribute_list, ignored, property_list); });
}

int32_t BR_GetNextAttribute(uint32_t attribute_list, uint32_t* ignored, uint32_t* property_list) {
  return Guarded(
      [&] { return CurrentSession().Attribute(false, attribute_list, ignored, property_list); });
}

int32_t BR_GetFirstLink(uint32_t* attribute_list, uint32_t* property_list) {
  return Guarded([&] { return CurrentSession().Link(true, attribute_list, property_list); });
}

int32_t BR_GetNextLink(uint32_t* attribute_list, uint32_t* property_list) {
  return Guarded([&] { return CurrentSession().Link(false, attribute_list, property_list); });
}

int32_t BR_GetFirstLinkAttrib(uint32_t attribute_list, uint32_t* ignored, uint32_t* attribute_id) {
  return Guarded(
      [&] { return CurrentSession().LinkAttribute(true, attribute_list, ignored, attribute_id); });
}

int32_t BR_GetNextLinkAttrib(uint32_t attribute_list, uint32_t* ignored, uint32_t* attribute_id) {
  return Guarded(
      [&] { return CurrentSession().LinkAttribute(false, attribute_list, ignored, attribute_id); });
}

int32_t BR_GetFirstProperty(uint32_t property_list, uint32_t* ignored, const char** group_name,
                            const char** property_name, const char** type_code,
                            int32_t* number_value, const char** string_value) {
  const Session::PropertyOutputs out{ignored,   group_name,   property_name,
                                     type_code, number_value, string_value};
  return Guarded([&] { return CurrentSession().Property(true, property_list, out); });
}

int32_t BR_GetNextProperty(uint32_t property_list, uint32_t* ignored, const char** group_name,
                           const char** property_name, const char** type_code,
                           int32_t* number_value, const char** string_value) {
  const Session::PropertyOutputs out{ignored,   group_name,   property_name,
                                     type_code, number_value, string_value};
  return Guarded([&] { return CurrentSession().Property(false, property_list, out); });
}

int32_t BR_GetPropertyList(uint32_t property_list, const BR_PropertyView** properties,
                           uint32_t* count) {
  return Guarded(
      [&] { return CurrentSession().WholePropertyList(property_list, properties, count); });
}
