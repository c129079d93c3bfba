#pragma once

#include "Layer.h"

#include "../platform/Platform.h"
#include "../store/DatabaseError.h"
#include "AppContext.h"

// Runs a user action; a database failure on the way is the database error: the learner is
// told and the program ends.
template <class Action> bool guarded(AppContext& session, QWidget* owner, Action&& action) {
    try {
        action();
        return true;
    } catch (const DatabaseError& e) {
        session.platform.fatalDatabaseError(owner, e.number(), e.description());
        return false;
    }
}
