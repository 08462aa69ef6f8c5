#include "TestNeeds.h"

// What suites of this program need whose sources do not say it themselves.
TERAN_SUITE_NEEDS(OfficeDayTest, mariadb, ftp, sms, web);
