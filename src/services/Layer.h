#pragma once

// The services see the store and the domain; only the windows see the services. A layer below
// that includes one of these headers stops here.
#ifndef KEMU1_SERVICES
#error "services are above this layer: the store and the domain may not include them"
#endif
