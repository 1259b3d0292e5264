#include "screens/easel/EaselSaveQuestion.h"

namespace Ostrel {

SaveQuestion saveQuestionFor(u32 action) {
    switch (action) {
        case 269: return {258, 7544};
        case 245: return {259, 7546};
        case 246: return {256, 7548};
        case 249: return {251, 7547};
        case 279: return {257, 7545};
        case 5567: return {262, 7542};
        default: return {0, 0};
    }
}

}  // namespace Ostrel
