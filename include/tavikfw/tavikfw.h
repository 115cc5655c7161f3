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

/* Forward engineering: turns the model that host_value names into a form for a client of
   the calling process. 0 for success or a cancelled dialog, else the run's status. */
TAVIKFW_API uint32_t DoForwardEngineering(uint32_t host_value, uint16_t version);

/* The value that identifies the calling process to the registry. */
TAVIKFW_API uintptr_t TvkCurrentProcess(void);

/* The registry of clients: 1 for success, 0 for failure. */
TAVIKFW_API int32_t RegisterClient(CClntDesc* client);
TAVIKFW_API int32_t UnRegisterClient(uintptr_t process);

#ifdef __cplusplus
}
#endif

#endif
