#pragma once

// What a suite of tests needs of the loopback servers that scripts/services.sh starts: any of
// mariadb, ftp, sms and web (the web server with the probe page), written in the suite's source
// as, for example,
//
//     TERAN_SUITE_NEEDS(PublicationOutboxTest, ftp, web);
//
// ctest labels every test of the suite by these words (tests/ServiceLabels.cmake reads them from
// the source), so that `ctest -LE 'mariadb|ftp|sms|web'` leaves the suite out on a machine without
// the servers. One case of a suite may state its own needs, TERAN_CASE_NEEDS(Suite, Case, ftp).
// A test on the MariaDB backend (its parameter named MariaDb) needs mariadb without
// saying so. A test that finds a server missing and whose suite declares nothing fails instead of
// skipping, so that a forgotten declaration shows on the first machine without servers.
#define TERAN_SUITE_NEEDS(suite, ...)                                                                        \
    [[maybe_unused]] static const bool teran_needs_##suite = ::teran::test::declareNeeds(#suite, #__VA_ARGS__)
#define TERAN_CASE_NEEDS(suite, name, ...)                                                                   \
    [[maybe_unused]] static const bool teran_needs_##suite##_##name =                                        \
        ::teran::test::declareNeeds(#suite "." #name, #__VA_ARGS__)

namespace teran::test {

// `suite` is "Suite" or "Suite.Case".
bool declareNeeds(const char* suite, const char* services);
// Whether the running test declares a server: by its suite's declaration or its MariaDB backend.
bool runningTestDeclaresNeeds();

} // namespace teran::test
