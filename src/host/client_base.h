// The base of a client written in C++: its operations as virtual functions.
#pragma once

#include <cstdint>

#include "tavikfw/client.h"

namespace tavik {

class ClientBase : public CClntDesc {
 public:
  ClientBase(uint16_t client_version, bool generates_live, bool writes_files,
             bool writes_to_virtual_space);
  virtual ~ClientBase() = default;
  // What an operation the client does not take answers: the library then goes without it.
  enum OperationStatus : int32_t { kDone = 0, kNotSupported = 1 };

  ClientBase(const ClientBase&) = delete;
  ClientBase& operator=(const ClientBase&) = delete;

  virtual int32_t GetLiveFormName(void* /*form_manager*/, void** /*name_block*/) {
    return kNotSupported;
  }
  virtual int32_t GetLiveChildCount(TVK_HANDLE /*container*/, uint16_t* /*count*/) {
    return kNotSupported;
  }
  virtual int32_t GetLiveChildren(TVK_HANDLE /*container*/, TVK_HANDLE* /*children*/) {
    return kNotSupported;
  }
  virtual int32_t GetLiveCtrlCount(void* /*form_manager*/, uint16_t* /*count*/) {
    return kNotSupported;
  }
  virtual int32_t GetLiveCtrls(void* /*form_manager*/, TVK_HANDLE* /*controls*/) {
    return kNotSupported;
  }
  virtual int32_t DescribeLiveCtrl(TVK_HANDLE /*control*/, void* /*owner*/, int32_t /*owner_kind*/,
                                   TVK_CTRLDESC* /*descriptor*/) {
    return kNotSupported;
  }
  virtual int32_t FormFileWritten(const char* /*path*/) { return kDone; }
  virtual int32_t CollectDataSources() { return kNotSupported; }
  virtual int32_t CreateLiveForm(TVK_HANDLE* /*form*/, TVK_HANDLE* /*window*/) {
    return kNotSupported;
  }
  virtual int32_t SetLiveFormProperty(const char* /*name*/, TVK_VARIANT* /*value*/,
                                      TVK_HANDLE /*form*/) {
    return kNotSupported;
  }
  virtual int32_t CreateClientCtrl(const char* /*class_name*/, TVK_HANDLE* /*control*/,
                                   TVK_HANDLE /*form*/, TVK_HANDLE /*parent*/) {
    return kNotSupported;
  }
  virtual int32_t SetClientCtrlProperty(const char* /*name*/, TVK_VARIANT* /*value*/,
                                        TVK_HANDLE /*control*/) {
    return kNotSupported;
  }
  virtual int32_t LoadLiveFormCode(TVK_HANDLE /*form*/, const char* /*code_path*/) {
    return kNotSupported;
  }
  virtual int32_t BindLiveGrid(const char* /*grid_name*/, const char* /*data_control_name*/) {
    return kNotSupported;
  }
  virtual int32_t FinishLiveForm(TVK_HANDLE /*window*/) { return kNotSupported; }
};

}  // namespace tavik
