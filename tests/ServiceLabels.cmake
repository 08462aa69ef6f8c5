# Labels each discovered test by the loopback servers it needs (scripts/services.sh starts them),
# so that `ctest -LE 'mariadb|ftp|sms|web'` runs, on a machine without them, everything that needs
# none. ctest includes this after a test program's tests are discovered, with
# teran_labels_program and teran_labels_base set by the small file that includes it.
#
# A test needs a server when its name matches the server's pattern: the MariaDB variant of a test
# on both backends ends in /MariaDb; the cases that move pictures name them.
set(teran_needs_mariadb "/MariaDb|^SecuredServer|^VendorBackupTest\\.|^OfficePhoneSecuredTest\\.|^StaffAccountsSecured\\.|^AdminInitTest\\.|^OfficeCopy\\.|^OfficeDayTest\\.|\
^SeveralDesks\\.|^PublicationKill\\.|^PictureFoldersTest\\.|^StoreCluster\\.ANode|^VendorServerWire\\.|^ServerRefusedAtLogin\\.|\
^Locks/HeldLocksTest\\.|^OfficeConnections\\.")
set(teran_needs_ftp "^ClsFtp|Picture|ImageBox|^OfficeDayTest\\.")
set(teran_needs_sms "^SmsGatewayServiceTest\\.|^frmSmsTest\\.|^OfficeDayTest\\.|ANewUsersBuyerHearsOfTheListing")
set(teran_needs_web "^InternetProbe\\.|^SecuredServerLogin\\.|^SessionFailures\\.|^Backends/SessionFixture\\.|^SeveralDesks\\.|^PublicationKill\\.|\
^ListingRowInfoTest\\.SharedPictures|LotLookup|^AdminInitTest\\.|^OfficeDayTest\\.|^ServerRefusedAtLogin\\.")

foreach(teran_test IN LISTS ${teran_labels_program}_TESTS)
    set(teran_labels ${teran_labels_base})
    foreach(teran_service mariadb ftp sms web)
        if(teran_test MATCHES "${teran_needs_${teran_service}}")
            list(APPEND teran_labels ${teran_service})
        endif()
    endforeach()
    set_tests_properties("${teran_test}" PROPERTIES LABELS "${teran_labels}")
endforeach()
