#pragma once

// The windows are the top layer: nothing below them includes a window's header.
#ifndef KEMU1_WINDOWS
#error "the windows are the top layer: the layers below may not include them"
#endif
