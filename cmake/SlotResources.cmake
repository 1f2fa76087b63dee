# Read by CTest when it runs the Windows tree's tests. With
# VELARMON_SLOT_RESOURCES naming the slots' resource file (test.sh sets it),
# CTest hands the slots out to the tests; without it the tests run in the
# build folder's own prefix, one after another.
if(DEFINED ENV{VELARMON_SLOT_RESOURCES})
    set(CTEST_RESOURCE_SPEC_FILE "$ENV{VELARMON_SLOT_RESOURCES}")
endif()
