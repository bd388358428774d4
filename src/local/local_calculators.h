// The local calculators and locality lists, one per state with local taxes. Each calculator follows the
// contract of local/local_registry.h; each list function returns the list its selector chooses.
#pragma once

#include "local/local_registry.h"

namespace orla {

int calcLocalAlabama(PayRecord* pay, StateRecord* state, LocalRecord* local);
int calcLocalColorado(PayRecord* pay, StateRecord* state, LocalRecord* local);
int calcLocalDelaware(PayRecord* pay, StateRecord* state, LocalRecord* local);
int calcLocalIndiana(PayRecord* pay, StateRecord* state, LocalRecord* local);
int calcLocalKentucky(PayRecord* pay, StateRecord* state, LocalRecord* local);
int calcLocalMaryland(PayRecord* pay, StateRecord* state, LocalRecord* local);
int calcLocalMichigan(PayRecord* pay, StateRecord* state, LocalRecord* local);
int calcLocalMissouri(PayRecord* pay, StateRecord* state, LocalRecord* local);
int calcLocalNewYork(PayRecord* pay, StateRecord* state, LocalRecord* local);
int calcLocalOhio(PayRecord* pay, StateRecord* state, LocalRecord* local);
int calcLocalPennsylvania(PayRecord* pay, StateRecord* state, LocalRecord* local);

std::span<const LocalityEntry> alabamaLocalityLists(int listSelector);
std::span<const LocalityEntry> coloradoLocalityLists(int listSelector);
std::span<const LocalityEntry> delawareLocalityLists(int listSelector);
std::span<const LocalityEntry> indianaLocalityLists(int listSelector);
std::span<const LocalityEntry> kentuckyLocalityLists(int listSelector);
std::span<const LocalityEntry> marylandLocalityLists(int listSelector);
std::span<const LocalityEntry> michiganLocalityLists(int listSelector);
std::span<const LocalityEntry> missouriLocalityLists(int listSelector);
std::span<const LocalityEntry> newYorkLocalityLists(int listSelector);
std::span<const LocalityEntry> ohioLocalityLists(int listSelector);
std::span<const LocalityEntry> pennsylvaniaLocalityLists(int listSelector);

}  // namespace orla
