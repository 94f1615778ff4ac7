#include "title/title_state.h"

TitleState title;
TitleRunState titleRun;
TitleBurst titleBurst;
