#pragma once

// The store sees the domain only; the services and the windows see the store. The domain
// including one of these headers stops here.
#ifndef KEMU1_STORE
#error "the store is above this layer: the domain may not include it"
#endif
