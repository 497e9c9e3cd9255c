6.2
1.5
3.5
0.002
1
5.5
21
25
30
56
5
 9 	Energy 0 is kg, 1 is lbs, 2 is Mcal/kg 3 is mcal/lb 4 is MJ/kg
-2
abc
