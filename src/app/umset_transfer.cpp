// PLACEHOLDER until transfers land (their owner replaces this file).
#include "app/umset.h"

void Tfrm_mset::btn_downClick(fw::TObject*) {}
void Tfrm_mset::btn_loadClick(fw::TObject*) {}
void Tfrm_mset::btn_stopClick(fw::TObject*) {}
void Tfrm_mset::btn_opencClick(fw::TObject*) {}
void Tfrm_mset::btn_closecClick(fw::TObject*) {}
void Tfrm_mset::timer_tbTimer(fw::TObject*) {}
void Tfrm_mset::timer_cfTimer(fw::TObject*) {}
void Tfrm_mset::timer_gbTimer(fw::TObject*) {}
void Tfrm_mset::mycomReceiveData(fw::TObject*, const void*, uint16_t) {}
void Tfrm_mset::mycomReceiveError(fw::TObject*, uint32_t) {}
