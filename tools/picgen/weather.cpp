// Driving in bad weather and on difficult roads, seen from the driver's seat or from above.
#include "picgen.h"

void addWeatherScenes(Pictures& out) {
    (void)out;
}
