// Road situations seen from the driver's seat or from above.
#include "picgen.h"

void addSituations(Pictures& out) {
    (void)out;
}
