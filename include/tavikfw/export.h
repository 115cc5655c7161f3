/* Calling convention and symbol export of the library's C interface. */
#ifndef TAVIKFW_EXPORT_H
#define TAVIKFW_EXPORT_H

#if defined(_WIN32)
#define TVK_EXPORT_ATTR __declspec(dllexport)
#define TVK_IMPORT_ATTR __declspec(dllimport)
#else
#define TVK_EXPORT_ATTR __attribute__((visibility("default")))
#define TVK_IMPORT_ATTR
#endif

#if defined(TAVIKFW_BUILDING)
#define TAVIKFW_API TVK_EXPORT_ATTR
#elif defined(TAVIKFW_STATIC) || !defined(_WIN32)
#define TAVIKFW_API TVK_EXPORT_ATTR
#else
#define TAVIKFW_API TVK_IMPORT_ATTR
#endif

#if defined(BRENLO_BUILDING)
#define BRENLO_API TVK_EXPORT_ATTR
#elif !defined(_WIN32)
#define BRENLO_API TVK_EXPORT_ATTR
#else
#define BRENLO_API TVK_IMPORT_ATTR
#endif

#endif
