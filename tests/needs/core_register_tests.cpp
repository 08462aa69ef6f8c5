#include "TestNeeds.h"

// What suites of this program need whose sources do not say it themselves.
TERAN_CASE_NEEDS(ListingSaveTest, AServerThatFailsKeepsTheShareWaitingAndAFailedPictureIsLeftOut, ftp);
TERAN_CASE_NEEDS(ListingSaveTest, TheImageBoxTravelsSlotBySlot, ftp);
