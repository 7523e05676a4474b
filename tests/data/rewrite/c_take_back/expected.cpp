n = 40; //40 is the limit
x = "abc";
m = 41;
k = 40;
