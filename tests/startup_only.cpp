// A DLL of nothing but the runtime's start-up code, linked as orla.dll is: the imports it needs are
// the start-up's own, which the import check of orla.dll leaves aside.
extern "C" __declspec(dllexport) int orla_startup_only(int x) { return x + 1; }
