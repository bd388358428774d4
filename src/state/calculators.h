// The state calculators, one per jurisdiction (the territories following federal rules are declared in
// federal/federal.h). Each follows the calculator contract of registry.h.
#pragma once

#include "state/registry.h"

namespace orla {

int calcAlabama(int mode, PayRecord* pay, StateRecord* state);
int calcArizona(int mode, PayRecord* pay, StateRecord* state);
int calcArkansas(int mode, PayRecord* pay, StateRecord* state);
int calcCalifornia(int mode, PayRecord* pay, StateRecord* state);
int calcColorado(int mode, PayRecord* pay, StateRecord* state);
int calcConnecticut(int mode, PayRecord* pay, StateRecord* state);
int calcDelaware(int mode, PayRecord* pay, StateRecord* state);
int calcDistrictOfColumbia(int mode, PayRecord* pay, StateRecord* state);
int calcGeorgia(int mode, PayRecord* pay, StateRecord* state);
int calcHawaii(int mode, PayRecord* pay, StateRecord* state);
int calcIdaho(int mode, PayRecord* pay, StateRecord* state);
int calcIllinois(int mode, PayRecord* pay, StateRecord* state);
int calcIndiana(int mode, PayRecord* pay, StateRecord* state);
int calcIowa(int mode, PayRecord* pay, StateRecord* state);
int calcKansas(int mode, PayRecord* pay, StateRecord* state);
int calcKentucky(int mode, PayRecord* pay, StateRecord* state);
int calcLouisiana(int mode, PayRecord* pay, StateRecord* state);
int calcMaine(int mode, PayRecord* pay, StateRecord* state);
int calcMaryland(int mode, PayRecord* pay, StateRecord* state);
int calcMassachusetts(int mode, PayRecord* pay, StateRecord* state);
int calcMichigan(int mode, PayRecord* pay, StateRecord* state);
int calcMinnesota(int mode, PayRecord* pay, StateRecord* state);
int calcMississippi(int mode, PayRecord* pay, StateRecord* state);
int calcMissouri(int mode, PayRecord* pay, StateRecord* state);
int calcMontana(int mode, PayRecord* pay, StateRecord* state);
int calcNebraska(int mode, PayRecord* pay, StateRecord* state);
int calcNewJersey(int mode, PayRecord* pay, StateRecord* state);
int calcNewMexico(int mode, PayRecord* pay, StateRecord* state);
int calcNewYork(int mode, PayRecord* pay, StateRecord* state);
int calcNorthCarolina(int mode, PayRecord* pay, StateRecord* state);
int calcNorthDakota(int mode, PayRecord* pay, StateRecord* state);
int calcOhio(int mode, PayRecord* pay, StateRecord* state);
int calcOklahoma(int mode, PayRecord* pay, StateRecord* state);
int calcOregon(int mode, PayRecord* pay, StateRecord* state);
int calcPennsylvania(int mode, PayRecord* pay, StateRecord* state);
int calcPuertoRico(int mode, PayRecord* pay, StateRecord* state);
int calcRhodeIsland(int mode, PayRecord* pay, StateRecord* state);
int calcSouthCarolina(int mode, PayRecord* pay, StateRecord* state);
int calcUtah(int mode, PayRecord* pay, StateRecord* state);
int calcVermont(int mode, PayRecord* pay, StateRecord* state);
int calcVirginia(int mode, PayRecord* pay, StateRecord* state);
int calcWestVirginia(int mode, PayRecord* pay, StateRecord* state);
int calcWisconsin(int mode, PayRecord* pay, StateRecord* state);

}  // namespace orla
