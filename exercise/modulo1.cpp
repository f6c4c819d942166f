#include "exercise/modulo1.h"

StatoEsercizio Modulo1;
