y = GetValueStr(2002);//"t"
