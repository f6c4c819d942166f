#include "classification/modulo1.h"

StatoEsercizio Modulo1;
