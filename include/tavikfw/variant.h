/* The tagged value that the library, its hosts and its clients exchange. */
#ifndef TAVIKFW_VARIANT_H
#define TAVIKFW_VARIANT_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Type codes used by the system (a subset of the OLE variant types). */
enum {
  TVK_VT_EMPTY = 0,
  TVK_VT_I2 = 2,
  TVK_VT_I4 = 3,
  TVK_VT_R4 = 4,
  TVK_VT_BSTR = 8, /* an 8-bit zero-terminated string, not an OLE string */
  TVK_VT_BOOL = 11,
  TVK_VT_UI1 = 17,
  TVK_VT_UI4 = 19,
  TVK_VT_BLOB = 65
};

typedef struct TVK_VARIANT {
  uint16_t vt;
  uint16_t reserved1;
  uint16_t reserved2;
  uint16_t reserved3;
  union {
    int16_t iVal;
    int32_t lVal;
    float fltVal;
    int16_t boolVal;
    uint8_t bVal;
    uint32_t ulVal;
    char* bstrVal;
    void* byref;
  } u;
} TVK_VARIANT;

#ifndef _WIN32
typedef TVK_VARIANT VARIANT;
#endif

#ifdef __cplusplus
}
#endif

#endif
