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

/* Smart RE. When the user chooses "Smart RE", the dialog marks each listed form with a data
   description in the client's data reader (CClntDesc.data_reader) and calls the client's
   CollectDataSources. Before the dialog next opens, the client fills the description of
   each marked form: the form-manager object of the running form, one data source per data
   control (named as the control) with the fields it reads and their tables under the same
   index, and last a nonzero completion value. The next opening attaches each source to the
   data control of that name and forgets the description; descriptions left incomplete
   stay until the next Smart RE replaces them. */
typedef struct CDataDescOpaque* TVK_DATADESC;
typedef struct CDataSourceOpaque* TVK_DATASOURCE;

/* The description of the form of that name; null when the last Smart RE did not mark it. */
TAVIKFW_API TVK_DATADESC FindDataDesc(void* data_reader, const char* form_name);
/* 1 for success, 0 for a null description. */
TAVIKFW_API int32_t SetDataDescFormMgrObj(TVK_DATADESC description, void* form_manager);
/* A new, empty source in place of any of that name, owned by the description; null on
   failure. */
TAVIKFW_API TVK_DATASOURCE AddDataSource(TVK_DATADESC description, const char* data_control_name);
/* A field name, or its table's name, under an index (replacing what was there): 1 or 0. */
TAVIKFW_API int32_t AddFieldName(TVK_DATASOURCE source, const char* name, uint16_t index);
TAVIKFW_API int32_t AddSourceTable(TVK_DATASOURCE source, const char* name, uint16_t index);
/* A nonzero value marks the description as filled: 1 for success, 0 for a null one. */
TAVIKFW_API int32_t CompleteDataDesc(TVK_DATADESC description, int32_t completion_value);

/* The visualizer allocators a registered client receives. */
TAVIKFW_API uint32_t AllocateVB3Visualizer(int32_t edit_style, void* object);
TAVIKFW_API uint32_t AllocateVB4Visualizer(int32_t edit_style, void* object);

#ifdef __cplusplus
}
#endif

#endif
