// The host SDK, all of it: the one header plug-in code includes.
#pragma once

#include <xsi/application.h>
#include <xsi/core.h>
#include <xsi/cstring.h>
#include <xsi/objects.h>
#include <xsi/plugin.h>
#include <xsi/ref.h>
#include <xsi/status.h>
#include <xsi/types.h>
#include <xsi/value.h>
