/* The client: the component of a Visual Basic environment that registers with the library,
   tells it the version it serves and builds live forms. A client in C fills the operation
   table; a client in C++ derives from the library's client base, which fills it. */
#ifndef TAVIKFW_CLIENT_H
#define TAVIKFW_CLIENT_H

#include <stdint.h>

#include "tavikfw/variant.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct CClntDesc CClntDesc;
typedef struct CCtrlDescOpaque* TVK_CTRLDESC; /* a control descriptor being described */
typedef uintptr_t TVK_HANDLE;                 /* a form, window or control handle */

/* The client's operations in their fixed order; each returns 0 for success. The system
   never calls the destructor nor the unnamed slots.

   Reading a running form back:
   - GetLiveFormName hands over the form's name as a zero-terminated string in a block the
     client allocates with malloc(); the library takes it and releases it with free().
   - DescribeLiveCtrl builds the control's descriptor by calling AddControl (or, for a data
     control, AddDataControl), then AddProperty, SetControlName and SetControlHandle, and
     returns it through `descriptor`. `owner` and `owner_kind` go to AddControl unchanged:
     kind 1 with the form (the TVK_FORMDESC that AddDataControl takes), kind 0 with the
     container control whose children are being read.
   - The children of controls of the classes "PictureBox" and "Frame" are read through
     GetLiveChildCount and GetLiveChildren. */
typedef struct CClntDescOps {
  void (*Destroy)(CClntDesc* self);
  int32_t (*GetLiveFormName)(CClntDesc* self, void* form_manager, void** name_block);
  int32_t (*GetLiveChildCount)(CClntDesc* self, TVK_HANDLE container, uint16_t* count);
  int32_t (*GetLiveChildren)(CClntDesc* self, TVK_HANDLE container, TVK_HANDLE* children);
  int32_t (*GetLiveCtrlCount)(CClntDesc* self, void* form_manager, uint16_t* count);
  int32_t (*GetLiveCtrls)(CClntDesc* self, void* form_manager, TVK_HANDLE* controls);
  int32_t (*DescribeLiveCtrl)(CClntDesc* self, TVK_HANDLE control, void* owner, int32_t owner_kind,
                              TVK_CTRLDESC* descriptor);
  int32_t (*FormFileWritten)(CClntDesc* self, const char* path);
  void* unused1;
  void* unused2;
  int32_t (*CollectDataSources)(CClntDesc* self);
  int32_t (*CreateLiveForm)(CClntDesc* self, TVK_HANDLE* form, TVK_HANDLE* window);
  int32_t (*SetLiveFormProperty)(CClntDesc* self, const char* name, TVK_VARIANT* value,
                                 TVK_HANDLE form);
  int32_t (*CreateClientCtrl)(CClntDesc* self, const char* class_name, TVK_HANDLE* control,
                              TVK_HANDLE form, TVK_HANDLE parent);
  int32_t (*SetClientCtrlProperty)(CClntDesc* self, const char* name, TVK_VARIANT* value,
                                   TVK_HANDLE control);
  void* unused3;
  int32_t (*LoadLiveFormCode)(CClntDesc* self, TVK_HANDLE form, const char* code_path);
  void* unused4;
  int32_t (*BindLiveGrid)(CClntDesc* self, const char* grid_name, const char* data_control_name);
  void* unused5;
  int32_t (*FinishLiveForm)(CClntDesc* self, TVK_HANDLE window);
} CClntDescOps;

/* The visualizer allocator the library gives a registered client. */
typedef uint32_t (*TVK_VISUALIZER_ALLOCATOR)(int32_t edit_style, void* object);

struct CClntDesc {
  const CClntDescOps* ops;
  TVK_VISUALIZER_ALLOCATOR allocator; /* set by RegisterClient */
  uint16_t version;                   /* 3 or 4 */
  void* data_reader;                  /* set by RegisterClient; see Smart RE in tavikfw.h */
  int32_t can_generate;               /* live output possible */
  int32_t can_write_to_file;
  int32_t can_write_to_virtual_space;
  uintptr_t process; /* the value of TvkCurrentProcess() in the client's process */
};

#ifdef __cplusplus
}
#endif

#endif
