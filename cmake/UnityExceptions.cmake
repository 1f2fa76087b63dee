# Sources compiled on their own in the unity builds (the core's in every tree,
# the whole Windows tree): each keeps a file-local name (a constant, a helper)
# that another file of its batch has too, and the two would meet in one unit. A new clash shows as a
# redefinition or an ambiguous call when the tree builds; add the file here.
set_source_files_properties(
    app/StartUp.cpp
    calendar/DateInput.cpp
    grid/ICalendarFile.cpp
    grid/VCardFile.cpp
    phone/AtExchange.cpp
    phone/FastExchange.cpp
    phone/PhoneBookTransfer.cpp
    phone/PhoneStamp.cpp
    phone/SchedulerTransfer.cpp
    phone/SessionReplies.cpp
    phone/UploadAnswer.cpp
    worker/MediaDialogHook.cpp
    DIRECTORY ${CMAKE_SOURCE_DIR}
    PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
