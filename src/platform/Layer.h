#pragma once

// The platform seam is for the windows: the domain, the store and the services never show a
// box or open a folder themselves. A layer below that includes one of these headers stops here.
#ifndef KEMU1_PLATFORM
#error "the platform is the windows' seam: the layers below may not include it"
#endif
