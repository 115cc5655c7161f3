/* The library's exported entry points. */
#ifndef TAVIKFW_TAVIKFW_H
#define TAVIKFW_TAVIKFW_H

#include <stdint.h>

#include "tavikfw/client.h"
#include "tavikfw/export.h"
#include "tavikfw/variant.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct CFormDescOpaque* TVK_FORMDESC; /* a form description of the registry */

/* Forward engineering: turns the model that host_value names into a form for a client of
   the calling process. 0 for success or a cancelled dialog, else the run's status. */
TAVIKFW_API uint32_t DoForwardEngineering(uint32_t host_value, uint16_t version);

/* Reverse engineering: the dialog over the running forms, opened for the form window. */
TAVIKFW_API uint32_t DoReverseEngineering(TVK_HANDLE form_window);

/* The value that identifies the calling process to the registry. */
TAVIKFW_API uintptr_t TvkCurrentProcess(void);

/* The registry of clients and running forms: 1 for success, 0 for failure. */
TAVIKFW_API int32_t RegisterClient(CClntDesc* client);
TAVIKFW_API int32_t UnRegisterClient(uintptr_t process);
TAVIKFW_API int32_t RegisterObj(void* form_manager, TVK_HANDLE form_handle, uintptr_t process,
                                uint16_t version, int32_t extra_value);
TAVIKFW_API int32_t UnRegisterObj(void* form_manager);
TAVIKFW_API int32_t IsObjRegistered(void* form_manager);
TAVIKFW_API uint16_t GetFormRefCount(TVK_HANDLE form_handle);

/* Describing a running form's controls (called back by the client); statuses: 0 success,
   1 out of memory, else the status of the control's initialisation. owner_kind nonzero:
   the owner is the form (TVK_FORMDESC), zero: a parent control (TVK_CTRLDESC). */
TAVIKFW_API uint32_t AddControl(void* owner, int32_t owner_kind, const char* class_name,
                                uint16_t version, TVK_HANDLE control_handle,
                                TVK_CTRLDESC* descriptor);
TAVIKFW_API uint32_t AddDataControl(TVK_FORMDESC form, const char* class_name, uint16_t version,
                                    TVK_HANDLE control_handle, TVK_CTRLDESC* descriptor);
TAVIKFW_API uint32_t AddProperty(TVK_CTRLDESC descriptor, TVK_VARIANT value, const char* name);
TAVIKFW_API uint32_t SetControlName(TVK_CTRLDESC descriptor, const char* name);
TAVIKFW_API uint32_t SetControlHandle(TVK_CTRLDESC descriptor, TVK_HANDLE control_handle);

/* The visualizer allocators a registered client receives. */
TAVIKFW_API uint32_t AllocateVB3Visualizer(int32_t edit_style, void* object);
TAVIKFW_API uint32_t AllocateVB4Visualizer(int32_t edit_style, void* object);

#ifdef __cplusplus
}
#endif

#endif
