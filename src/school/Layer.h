#pragma once

// The school's database sits above the services: the bank tool and the windows may include
// it; the domain, the store and the services may not.
#ifndef KEMU1_SCHOOL
#error "the school's database is above this layer: link trainer_school to include it"
#endif
