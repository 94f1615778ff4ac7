#include "title/title_state.h"

TitleState title;
