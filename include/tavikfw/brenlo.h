/* Our model access library: the twelve BR_ functions, the bulk read of a property list and the
   loading of a model file. */
#ifndef TAVIKFW_BRENLO_H
#define TAVIKFW_BRENLO_H

#include <stddef.h>
#include <stdint.h>

#include "tavikfw/export.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Results of the loaders (the conventional exit statuses of the command line). */
enum {
  BR_LOAD_OK = 0,
  BR_LOAD_REFUSED = 65,   /* not valid JSON, or a value the format refuses */
  BR_LOAD_UNREADABLE = 66 /* the file cannot be read */
};

/* Loads a model; on success *host_value is the value a host passes to DoForwardEngineering,
   which passes it on to BR_Start. On failure BR_LastLoadError() says what and where. */
BRENLO_API int32_t BR_LoadModelFile(const char* path, uint32_t* host_value);
BRENLO_API int32_t BR_LoadModelText(const char* text, size_t length, uint32_t* host_value);
BRENLO_API const char* BR_LastLoadError(void);
/* What the last successful load warns of (master and detail entities in a cycle), one line
   each, each ended by a line feed; empty when nothing. */
BRENLO_API const char* BR_LastLoadWarnings(void);
BRENLO_API void BR_UnloadModel(uint32_t host_value);

/* 1 when the model of host_value was started; version4_flag is 1 for a version-4 client. */
BRENLO_API int32_t BR_Start(uint32_t host_value, uint32_t version4_flag);
/* Ends the session; harmless without BR_Start. */
BRENLO_API int32_t BR_Done(void);

/* Every iterator returns 0 when it delivered an item, nonzero when there is none left. */
BRENLO_API int32_t BR_GetFirstEntity(uint32_t* attribute_list, uint32_t* property_list);
BRENLO_API int32_t BR_GetNextEntity(uint32_t* attribute_list, uint32_t* property_list);
BRENLO_API int32_t BR_GetFirstAttribute(uint32_t attribute_list, uint32_t* ignored,
                                        uint32_t* property_list);
BRENLO_API int32_t BR_GetNextAttribute(uint32_t attribute_list, uint32_t* ignored,
                                       uint32_t* property_list);
BRENLO_API int32_t BR_GetFirstLink(uint32_t* attribute_list, uint32_t* property_list);
BRENLO_API int32_t BR_GetNextLink(uint32_t* attribute_list, uint32_t* property_list);
BRENLO_API int32_t BR_GetFirstLinkAttrib(uint32_t attribute_list, uint32_t* ignored,
                                         uint32_t* attribute_id);
BRENLO_API int32_t BR_GetNextLinkAttrib(uint32_t attribute_list, uint32_t* ignored,
                                        uint32_t* attribute_id);
/* The string outs are owned by the library and valid until its next call. A type code
   starting with "S" marks a string property, any other a numeric one. */
BRENLO_API int32_t BR_GetFirstProperty(uint32_t property_list, uint32_t* ignored,
                                       const char** group_name, const char** property_name,
                                       const char** type_code, int32_t* number_value,
                                       const char** string_value);
BRENLO_API int32_t BR_GetNextProperty(uint32_t property_list, uint32_t* ignored,
                                      const char** group_name, const char** property_name,
                                      const char** type_code, int32_t* number_value,
                                      const char** string_value);

/* One property as BR_GetPropertyList hands it over: the texts are the library's own, each
   ended by a zero, with its length beside it. */
typedef struct BR_PropertyView {
  const char* group_name;
  const char* property_name;
  const char* string_value; /* empty for a numeric property */
  uint32_t group_name_length;
  uint32_t property_name_length;
  uint32_t string_length;
  int32_t number_value; /* 0 for a string property */
  int32_t is_string;    /* 1 where BR_GetNextProperty gives the type code "S", else 0 */
} BR_PropertyView;

/* A whole property list in one call, in the order BR_GetFirstProperty and BR_GetNextProperty
   serve it, for a host that reads every property: *properties points at *count views, valid
   until the library's next BR_GetPropertyList or BR_Done. The list's iterator keeps its
   position. Returns 0 when it delivered the list (an empty one too), nonzero for a handle
   that names no property list of the started model. */
BRENLO_API int32_t BR_GetPropertyList(uint32_t property_list, const BR_PropertyView** properties,
                                      uint32_t* count);

#ifdef __cplusplus
}
#endif

#endif
