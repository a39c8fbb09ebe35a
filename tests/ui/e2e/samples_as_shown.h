// The two start-up sample tables as the INPUT box shows them.
#pragma once

#include <string>

inline const std::wstring kSampleA =
    L"|ダ|ル|シ|ム|\r\n"
    L"|さあ、|create frame|ボタンを|押してみよう|\r\n"
    L"|test|動作|||";

inline const std::wstring kSampleB =
    L"|期|売 上 高|経 常 利 益|当 期 純 利 益|総 資 産|純 資 産|\r\n"
    L"|第３９期|4,081,813|353,332|206,181|7,439,678|6,741,363|\r\n"
    L"|第３８期|3,557,147|299,572|165,716|7,270,035|6,666,887|\r\n"
    L"|第３７期|3,494,734|280,372|69,853|7,307,429|6,734,343|\r\n"
    L"|第３６期|3,463,297|282,972|147,812|7,489,828|6,899,663|\r\n"
    L"|第３５期|3,533,997|380,940|203,325|7,516,313|6,854,183|";
