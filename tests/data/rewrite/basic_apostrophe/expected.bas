    x = GetValueStr(7)'"abc"
    n = GetValueInt(8)'40
